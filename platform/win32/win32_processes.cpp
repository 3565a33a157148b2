#include "platform/win32/win32_processes.h"

#include <windows.h>
#include <tlhelp32.h>

#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_text.h"

namespace tc {
namespace {}  // namespace

std::vector<ProcessEntry> Win32Processes::Snapshot() {
    std::vector<ProcessEntry> entries;
    const UniqueKernelHandle snapshot =
        OwnKernelHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return entries;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        entries.push_back(
            {static_cast<std::uint32_t>(entry.th32ProcessID), Narrow(entry.szExeFile)});
    }
    return entries;
}

bool Win32Processes::Terminate(std::uint32_t pid) {
    const UniqueKernelHandle process = OwnKernelHandle(OpenProcess(PROCESS_TERMINATE, FALSE, pid));
    return process && TerminateProcess(process.Get(), 0) != 0;
}

}  // namespace tc
