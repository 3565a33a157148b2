#pragma once
// One running copy per folder, whatever the folder is called. The file system names a folder by
// its volume's serial number and its file index, the same whether it is reached through another
// drive letter (a subst or mapped drive), a network path, a junction or a symbolic link, in short
// names or in any letter case. The copy that runs holds a named mutex made from that identity for
// the whole run, and its main window carries a property of the same name. A second start from the
// folder finds the mutex taken, finds the window that carries the property, asks it to show itself
// (as a double-click on the notification-area icon does) and ends. Copies in other folders, each
// with its own config.ini, run side by side; so do copies in two log-on sessions, since the mutex
// is the session's own ("Local\") and no window can be brought forward in another session.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/win32_handle.h"

namespace tc {

// The message a second start sends to the running copy's main window. The window answers
// kRunningCopyShown once it has come to the front, 0 while it is still starting.
UINT ShowRunningCopyMessage();
inline constexpr LRESULT kRunningCopyShown = 0x5443;  // "TC"

// "Tallowcron-", the volume serial number of `folder` (8 hexadecimal digits), "-" and its file
// index (16): the name of the folder's mutex, in the session's namespace, and of the property of
// the running copy's main window. Empty when the file system cannot say (the folder cannot be
// opened, or its file system numbers no files).
std::wstring FolderIdentity(const std::wstring& folder);

// What a run holds on its folder.
struct FolderClaim {
    UniqueKernelHandle mutex;  // held until the program ends; empty: the run is unguarded
    std::wstring identity;     // the main window's property; empty: none
};

// Claims the executable's folder for this run. When another copy from the same folder holds it,
// that copy's main window is brought to the front (unless `bringForward` is false: a start at
// log-on leaves it as it is) and the answer is nullopt: this start must end.
// A copy that is still starting, however long it takes (a log-on under load), is brought to the
// front once it has shown its window; this start waits for that, at most five minutes, and then
// ends all the same. A copy that ends meanwhile leaves the folder to this start. Where the file
// system cannot name the folder, or the system makes no mutex, the run is unguarded.
std::optional<FolderClaim> ClaimFolderOrShowRunningCopy(const std::wstring& exePath,
                                                        bool bringForward = true);

}  // namespace tc
