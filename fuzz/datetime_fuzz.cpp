// Fuzz target: arbitrary bytes as a date and time (LocaleForms::ParseDateTime and ParseDate, and
// DateTimeText and ShortDate for the way back). The first byte picks the regional settings
// (parse_checks::LocaleOfByte), the rest is the text. The checks are in tests/unit/parse_checks.h.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/stop_if_broken.h"
#include "unit/parse_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const tc::LocaleForms forms(tc::parse_checks::LocaleOfByte(data[0]));
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    tc::StopIfBroken(tc::parse_checks::CheckDateTime(forms, text), text);
    return 0;
}
