#include "wine_links.h"

#include <utility>
#include <vector>

#include "desktop.h"
#include "e2e_files.h"
#include "support/win32/wine.h"

namespace tc::e2e {
namespace {

using test::UnixPathOf;

// Wine's own call from a Unix file name to a Windows one; its answer is on the process heap.
std::wstring WindowsPathOf(const std::string& unixPath) {
    using ToWindows = wchar_t*(CDECL*)(const char*);
    const auto toWindows = reinterpret_cast<ToWindows>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    wchar_t* windows = toWindows ? toWindows(unixPath.c_str()) : nullptr;
    if (!windows) return {};
    std::wstring result(windows);
    HeapFree(GetProcessHeap(), 0, windows);
    return result;
}

// Starts a Unix program, as Wine starts one like a Windows one; it gives no handle to wait on,
// so the caller waits for what the program does. The arguments hold no quotes.
bool StartUnix(const std::string& program, const std::vector<std::string>& arguments) {
    const std::wstring exe = WindowsPathOf(program);
    if (exe.empty()) return false;
    std::wstring commandLine = L"\"" + exe + L"\"";
    for (const std::string& argument : arguments) commandLine += L" \"" + Wide(argument) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    if (process.hProcess) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return true;
}

}  // namespace

UnixLink::UnixLink(const std::string& target, std::string link, std::wstring seenAs) {
    if (!RunningUnderWine() || target.empty() || link.empty() || FileExists(seenAs)) return;
    // -T: made at `link` itself, or not at all, even where `link` is a folder already.
    if (!StartUnix("/bin/ln", {"-s", "-T", "--", target, link})) return;
    link_ = std::move(link);  // removed again even if it shows only after the wait
    seenAs_ = std::move(seenAs);
    made_ = WaitFor([&] { return FileExists(seenAs_); }, 5000);
}

UnixLink::~UnixLink() {
    if (link_.empty()) return;
    // Without -r, rm removes a link and never a folder.
    if (StartUnix("/bin/rm", {"-f", "--", link_}))
        WaitFor([&] { return !FileExists(seenAs_); }, 5000);
}

UnixLink::UnixLink(UnixLink&& other) noexcept
    : link_(std::exchange(other.link_, {})),
      seenAs_(std::exchange(other.seenAs_, {})),
      made_(std::exchange(other.made_, false)) {}

UnixLink& UnixLink::operator=(UnixLink&& other) noexcept {
    std::swap(link_, other.link_);
    std::swap(seenAs_, other.seenAs_);
    std::swap(made_, other.made_);
    return *this;
}

WineDrive::WineDrive(const std::wstring& folder) {
    // Wine names drive C: as ".../dosdevices/c:".
    const std::string driveC = UnixPathOf(L"C:\\");
    const std::size_t slash = driveC.rfind('/');
    if (slash == std::string::npos || driveC.substr(slash + 1) != "c:") return;
    const DWORD used = GetLogicalDrives();
    for (char letter = 'y'; letter > 'd'; --letter) {
        if ((used & (1U << static_cast<unsigned>(letter - 'a'))) != 0) continue;
        const std::wstring name{static_cast<wchar_t>(letter - 'a' + 'A'), L':'};
        link_ =
            UnixLink(UnixPathOf(folder), driveC.substr(0, slash + 1) + letter + ":", name + L"\\");
        if (link_.Made()) letter_ = name;
        return;
    }
}

FolderLink::FolderLink(const std::wstring& target, const std::wstring& linkPath) {
    const std::size_t slash = linkPath.rfind(L'\\');
    if (slash == std::wstring::npos) return;
    const std::string parent = UnixPathOf(linkPath.substr(0, slash));
    if (!parent.empty())
        link_ =
            UnixLink(UnixPathOf(target), parent + "/" + Utf8(linkPath.substr(slash + 1)), linkPath);
}

}  // namespace tc::e2e
