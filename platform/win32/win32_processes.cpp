#include "platform/win32/win32_processes.h"

#include <windows.h>
#include <tlhelp32.h>

#include "platform/win32/win32_text.h"

namespace tc {
namespace {

// Owns a kernel handle and closes it on every path. Snapshots fail with INVALID_HANDLE_VALUE,
// OpenProcess with a null handle: both count as no handle.
class KernelHandle {
public:
    explicit KernelHandle(HANDLE h) : h_(h) {}
    ~KernelHandle() {
        if (valid()) CloseHandle(h_);
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    bool valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

}  // namespace

std::vector<ProcessEntry> Win32Processes::Snapshot() {
    std::vector<ProcessEntry> entries;
    const KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid()) return entries;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        entries.push_back(
            {static_cast<std::uint32_t>(entry.th32ProcessID), Narrow(entry.szExeFile)});
    }
    return entries;
}

bool Win32Processes::Terminate(std::uint32_t pid) {
    const KernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, pid));
    return process.valid() && TerminateProcess(process.get(), 0) != 0;
}

}  // namespace tc
