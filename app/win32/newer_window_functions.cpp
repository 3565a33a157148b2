#include "app/win32/newer_window_functions.h"

namespace tc {

NewerWindowFunctions FindNewerWindowFunctions(FindSystemFunctionFn find) {
    NewerWindowFunctions f;
    constexpr wchar_t kUser[] = L"user32.dll";
    using F = NewerWindowFunctions;
    f.getDpiForWindow = FindSystemFunctionAs<F::GetDpiForWindowFn>(find, kUser, "GetDpiForWindow");
    f.adjustWindowRectExForDpi = FindSystemFunctionAs<F::AdjustWindowRectExForDpiFn>(
        find, kUser, "AdjustWindowRectExForDpi");
    f.systemParametersInfoForDpi = FindSystemFunctionAs<F::SystemParametersInfoForDpiFn>(
        find, kUser, "SystemParametersInfoForDpi");
    f.setCoalescableTimer =
        FindSystemFunctionAs<F::SetCoalescableTimerFn>(find, kUser, "SetCoalescableTimer");
    return f;
}

}  // namespace tc
