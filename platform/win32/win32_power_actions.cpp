#include "platform/win32/win32_power_actions.h"

#include <windows.h>

#include "platform/win32/late_system_calls.h"
#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_text.h"

namespace tc {
namespace {

// The shutdown privilege, which the suspend function needs, is held by the process but off
// until it is switched on in the process's token.
void EnableShutdownPrivilege() {
    UniqueKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                          token.Receive()))
        ThrowLastError();
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        ThrowLastError();
    // Succeeds also when the privilege is not held; the last error then says so.
    if (!AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr) ||
        GetLastError() != ERROR_SUCCESS)
        ThrowLastError();
}

}  // namespace

void Win32PowerActions::Sleep() {
    EnableShutdownPrivilege();
    // Not hibernation, no forced suspension, wake events left on.
    if (!LateSetSuspendState(FALSE, FALSE, FALSE)) ThrowLastError();
}

void Win32PowerActions::Lock() {
    if (!LockWorkStation()) ThrowLastError();
}

}  // namespace tc
