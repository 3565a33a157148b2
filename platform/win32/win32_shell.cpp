#include "platform/win32/win32_shell.h"

#include <shellapi.h>

#include "platform/win32/win32_text.h"

namespace tc {

void Win32Shell::Open(const std::string& file, const std::string& parameters, ShellOwner owner) {
    const std::wstring wideFile = Widen(file);
    const std::wstring wideParameters = Widen(parameters);
    ShellExecuteW(owner == ShellOwner::MainWindow ? mainWindow_ : appWindow_, L"open",
                  wideFile.c_str(), wideParameters.empty() ? nullptr : wideParameters.c_str(),
                  nullptr, SW_SHOWNORMAL);
}

}  // namespace tc
