#pragma once
// Text at the Win32 boundary: the program keeps UTF-8 inside and calls the W functions, converting
// only at the call. Also the system's own text for an error code.
#include <string>
#include <string_view>

namespace tc {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The system's message for an error code (FormatMessageW), without the trailing line break.
std::string SystemErrorText(unsigned long code);

// Throws SystemError for the given code, or for GetLastError().
[[noreturn]] void ThrowSystemError(unsigned long code);
[[noreturn]] void ThrowLastError();

}  // namespace tc
