#pragma once
// Text to number conversions of user input and stored settings, with the program's messages.
#include <cstdint>
#include <string>
#include <string_view>

namespace tc {

// A text as a message quotes it: whole up to 100 characters, otherwise its first 100 and "…", so
// that a huge bad value neither swamps the error box nor takes long to show.
std::string ShortenedForMessage(std::string_view text);

// Leading blanks, a sign, hexadecimal after "$", "x", "X", "0x" or "0X"; signed 32-bit range.
// Anything else, trailing blanks included: ConvertError "'%s' is not a valid integer value".
std::int32_t TextToInt(const std::string& text);
std::string IntToText(std::int64_t value);

// General form, up to 15 significant digits, the given decimal separator.
std::string FloatToText(double value, const std::string& decimalSeparator);
// ConvertError "'%s' is not a valid floating point value".
double TextToFloat(const std::string& text, const std::string& decimalSeparator);

}  // namespace tc
