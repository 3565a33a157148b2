// Inputs the fuzz targets stopped on, replayed through the checks the targets apply
// (support/parse_checks.h), byte for byte as the targets received them.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "support/parse_checks.h"

namespace tc::parse_checks {
namespace {

using namespace std::string_literals;

struct SavedInput {
    std::string (*check)(std::string_view input);
    std::string bytes;
    const char* fault;  // what went wrong when the target stopped on it
};

TEST(FuzzInputs, PassEveryCheckThatOnceBroke) {
    const SavedInput inputs[] = {
        {CheckFloatInput,
         "\x00"
         "1.7976931348623157e308"s,
         "the largest double was shown as 1.79769313486232E308, which no longer reads back"},
        {CheckFloatInput,
         "\x01"
         "-1,7976931348623157E308"s,
         "the same, negative, decimal comma"},
        // A NUL in the text ends the message where what() reads it; the checks once expected the
        // whole text there.
        {CheckIntegerInput, "\xFF\xFF\xFF\x01\x00\x00\xCE"s, "an integer text with NULs"},
        {CheckTimeInput,
         "80:0\x00"
         "5:07"s,
         "a time text with a NUL (US English)"},
        {CheckDateTimeInput,
         "\x02\x01\x00\x00\x00"
         "29.02.2000"s,
         "a date text with NULs (German)"},
    };
    for (const SavedInput& input : inputs) {
        EXPECT_EQ(input.check(input.bytes), "") << input.fault;
    }
}

// The checks compare each parser with its grammar read another way; a reference that accepted
// or refused everything would let faults through unseen.
TEST(FuzzInputs, TheReferenceGrammarsTellNumbersFromOtherTexts) {
    const std::pair<const char*, std::optional<std::int64_t>> integers[] = {
        {"  -12", -12},
        {"+0x1F", 31},
        {"$7fffffff", 2147483647},
        {"-X80000000", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"12 ", std::nullopt},
        {"0x", std::nullopt},
        {"-+1", std::nullopt},
        {"$-1", std::nullopt},
        {"\t1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, value] : integers) {
        EXPECT_EQ(ReferenceInteger(text), value) << text;
    }
    const std::pair<const char*, std::optional<std::string>> floats[] = {
        {" -1,5e+3 ", "-1.5e+3"}, {",5", ".5"},           {"5,", "5."},
        {"1.5", std::nullopt},    {",", std::nullopt},    {"1e", std::nullopt},
        {"e5", std::nullopt},     {"1,5,", std::nullopt}, {"- 1", std::nullopt},
    };
    for (const auto& [text, plain] : floats) {
        EXPECT_EQ(ReferenceFloatText(text, ","), plain) << text;
    }
}

TEST(FuzzInputs, ARefusalMustCarryTheProgramsMessage) {
    EXPECT_EQ(RefusalProblem("25:00", "'25:00' is not a valid time", "time"), "");
    EXPECT_NE(RefusalProblem("25:00", "'25:00' is not a valid date and time", "time"), "");
    EXPECT_NE(RefusalProblem("25:00", "", "time"), "");
}

}  // namespace
}  // namespace tc::parse_checks
