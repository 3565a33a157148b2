#include "platform/win32/system_functions.h"

namespace tc {

FARPROC FindSystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

SystemTimeFn PreciseSystemTimeFunction(FindSystemFunctionFn find) {
    if (const auto precise = FindSystemFunctionAs<SystemTimeFn>(find, L"kernel32.dll",
                                                                "GetSystemTimePreciseAsFileTime"))
        return precise;
    return GetSystemTimeAsFileTime;
}

}  // namespace tc
