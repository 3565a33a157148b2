#pragma once
// Text to number conversions of user input and stored settings, with the program's messages.
#include <cstdint>
#include <string>

namespace tc {

// Leading blanks, a sign, hexadecimal after "$", "x", "X", "0x" or "0X"; signed 32-bit range.
// Anything else, trailing blanks included: ConvertError "'%s' is not a valid integer value".
std::int32_t TextToInt(const std::string& text);
std::string IntToText(std::int64_t value);

// General form, up to 15 significant digits, the given decimal separator.
std::string FloatToText(double value, const std::string& decimalSeparator);
// ConvertError "'%s' is not a valid floating point value".
double TextToFloat(const std::string& text, const std::string& decimalSeparator);

}  // namespace tc
