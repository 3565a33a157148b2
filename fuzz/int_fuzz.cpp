// Fuzz target: arbitrary bytes as the text of an integer field or setting (TextToInt, and
// IntToText for the way back).
// What must hold is in tests/support/parse_checks.h.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/stop_if_broken.h"
#include "support/parse_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    tc::StopIfBroken(tc::parse_checks::CheckIntegerInput(input), input);
    return 0;
}
