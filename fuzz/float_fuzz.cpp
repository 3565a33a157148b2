// Fuzz target: arbitrary bytes as the text of a floating point setting (TextToFloat, and
// FloatToText for the way back). The first byte picks the decimal separator, "." or ",", the
// rest is the text. The checks are in tests/unit/parse_checks.h.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/stop_if_broken.h"
#include "unit/parse_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string separator = tc::parse_checks::SeparatorOfByte(data[0]);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    tc::StopIfBroken(tc::parse_checks::CheckFloat(text, separator), text);
    return 0;
}
