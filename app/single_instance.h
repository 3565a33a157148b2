#pragma once
// One running copy per folder. The copy that runs holds a named mutex made from its executable's
// folder for the whole run. A second start from the same folder finds the mutex taken, asks the
// running copy's main window to show itself (as a double-click on the notification-area icon
// does) and ends. Copies in other folders, each with its own config.ini, run side by side.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/win32_handle.h"

namespace tc {

// The message a second start sends to the running copy's main window. The window answers
// kRunningCopyShown once it has come to the front, 0 while it is still starting.
UINT ShowRunningCopyMessage();
inline constexpr LRESULT kRunningCopyShown = 0x5443;  // "TC"

// "Local\Tallowcron-" and 16 hexadecimal digits: a 64-bit hash of the executable's folder,
// upper-cased, with long names for short ones. A mutex name may hold no backslash after its
// namespace and is limited in length, so the path itself cannot be the name.
std::wstring FolderMutexName(const std::wstring& exePath);

// Claims the executable's folder for this run: the mutex to hold until the program ends (empty
// when the system could make none: the program then runs unguarded). When another copy from the
// same folder holds it, that copy's main window is brought to the front and the answer is
// nullopt: this start must end. A copy that is still starting is waited for a few seconds; one
// that ends meanwhile leaves the folder to this start.
std::optional<UniqueKernelHandle> ClaimFolderOrShowRunningCopy(const std::wstring& exePath);

}  // namespace tc
