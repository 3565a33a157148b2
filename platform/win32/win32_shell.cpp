#include "platform/win32/win32_shell.h"

#include "platform/win32/late_system_calls.h"
#include "platform/win32/win32_text.h"

namespace tc {
namespace {

// ShellExecute takes the file as a path, and a path in the Windows API holds at most MAX_PATH
// characters, its terminating NUL included ("Maximum Path Length Limitation" in the Windows
// documentation); only the file functions take longer "\\?\" paths, and the shell is not one of
// them. Longer paths are not merely refused by the shell: about 1,000 characters and more end
// the calling process inside the call.
constexpr std::size_t kLongestShellPath = MAX_PATH - 1;

}  // namespace

void Win32Shell::Open(const std::string& file, const std::string& parameters, ShellOwner owner) {
    const std::wstring wideFile = Widen(file);
    if (wideFile.size() > kLongestShellPath) ThrowSystemError(ERROR_FILENAME_EXCED_RANGE);
    const std::wstring wideParameters = Widen(parameters);
    LateShellExecute(owner == ShellOwner::MainWindow ? mainWindow_ : appWindow_, L"open",
                     wideFile.c_str(), wideParameters.empty() ? nullptr : wideParameters.c_str(),
                     nullptr, SW_SHOWNORMAL);
}

}  // namespace tc
