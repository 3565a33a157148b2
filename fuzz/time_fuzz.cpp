// Fuzz target: arbitrary bytes as a time of day (LocaleForms::ParseTime, and LongTime for the
// way back). The first byte picks the regional settings (parse_checks::LocaleOfByte), the rest
// is the text.
// What must hold is in tests/support/parse_checks.h.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/stop_if_broken.h"
#include "support/parse_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    tc::StopIfBroken(tc::parse_checks::CheckTimeInput(input), input);
    return 0;
}
