#include "core/convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "core/errors.h"
#include "core/moments.h"
#include "core/tdatetime.h"
#include "support/fakes/fake_locale.h"

namespace tc {
namespace {

template <typename Call>
std::string MessageOf(Call call) {
    try {
        call();
    } catch (const ConvertError& e) {
        return e.what();
    }
    return "(no error)";
}

// Every conversion message quotes at most 100 characters of the text, then "…": a 100-character
// text whole, a longer one cut at a character, never inside one.
TEST(ConversionMessages, QuoteAtMostAHundredCharacters) {
    const LocaleForms forms(ChineseLocale());
    struct Conversion {
        const char* what;
        std::function<void(const std::string&)> convert;
    };
    const Conversion conversions[] = {
        {"integer value", [](const std::string& t) { TextToInt(t); }},
        {"floating point value", [](const std::string& t) { TextToFloat(t, "."); }},
        {"time", [&forms](const std::string& t) { forms.ParseTime(t); }},
        {"date and time", [&forms](const std::string& t) { forms.ParseDateTime(t); }},
    };
    std::string chinese;
    for (int i = 0; i < 150; ++i) chinese += "程";
    for (const Conversion& c : conversions) {
        SCOPED_TRACE(c.what);
        const std::string tail = std::string(" is not a valid ") + c.what;
        const std::string hundred = std::string(99, '9') + "x";
        EXPECT_EQ(MessageOf([&] { c.convert(hundred); }), "'" + hundred + "'" + tail);
        EXPECT_EQ(MessageOf([&] { c.convert(hundred + "9"); }), "'" + hundred + "\u2026'" + tail);
        EXPECT_EQ(MessageOf([&] { c.convert(chinese); }),
                  "'" + chinese.substr(0, 300) + "\u2026'" + tail);
    }
}

// ---- Integers -----------------------------------------------------------------------------

TEST(TextToInt, AcceptsBlanksSignsAndEveryHexPrefix) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"0", 0},
        {"12", 12},
        {" 12", 12},
        {"   -12", -12},
        {"+12", 12},
        {"007", 7},
        {"-0", 0},
        {"$10", 16},
        {"x10", 16},
        {"X10", 16},
        {"0x10", 16},
        {"0X10", 16},
        {"$ff", 255},
        {"0xFf", 255},
        {"-$10", -16},
        {"+0x1F", 31},
        {" -x7fffffff", -2147483647},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"$7FFFFFFF", 2147483647},
        {"-$80000000", -2147483647 - 1},
        {"00000000002147483647", 2147483647},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextToInt(c.text), c.value) << c.text;
    }
}

TEST(TextToInt, RejectsEverythingElseWithTheProgramsMessage) {
    // "$80000000" is 2147483648, outside the signed 32-bit range like its decimal spelling.
    const char* texts[] = {"",          " ",          "12 ",         "1.5",        "1e3",
                           "abc",       "12a",        "- 12",        "--1",        "+-1",
                           "+",         "-",          "$",           "x",          "0x",
                           "$g",        "0x1g",       "$-10",        "2147483648", "-2147483649",
                           "$80000000", "0xFFFFFFFF", "99999999999", "\t12",       "１２"};
    for (const char* text : texts) {
        EXPECT_EQ(MessageOf([text] { TextToInt(text); }),
                  std::string("'") + text + "' is not a valid integer value");
    }
}

TEST(IntToText, Decimal) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-2147483648LL), "-2147483648");
    EXPECT_EQ(IntToText(1234567890123LL), "1234567890123");
    for (std::int32_t v : {-2147483647 - 1, -16, 0, 7, 2147483647}) {
        EXPECT_EQ(TextToInt(IntToText(v)), v);
    }
}

// ---- Floating point -----------------------------------------------------------------------

TEST(FloatToText, GeneralFormWithFifteenSignificantDigits) {
    struct Case {
        double value;
        const char* dot;
        const char* comma;
    };
    const Case cases[] = {
        {0.0, "0", "0"},
        {-0.0, "0", "0"},
        {1.0, "1", "1"},
        {-2.5, "-2.5", "-2,5"},
        {0.1, "0.1", "0,1"},
        {1.0 / 3, "0.333333333333333", "0,333333333333333"},
        {45000.4520567476866, "45000.4520567477", "45000,4520567477"},
        {44945.5, "44945.5", "44945,5"},
        {100000000000000.0, "100000000000000", "100000000000000"},
        {999999999999999.0, "999999999999999", "999999999999999"},
        {1e15, "1E15", "1E15"},
        {1e20, "1E20", "1E20"},
        {1.5e20, "1.5E20", "1,5E20"},
        {-1.25e100, "-1.25E100", "-1,25E100"},
        {0.0001, "0.0001", "0,0001"},
        {0.00012345, "0.00012345", "0,00012345"},
        {1e-5, "1E-5", "1E-5"},
        {-1.5e-7, "-1.5E-7", "-1,5E-7"},
        {1e-300, "1E-300", "1E-300"},
        {0.30000000000000004, "0.3", "0,3"},
        {std::numeric_limits<double>::infinity(), "INF", "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF", "-INF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FloatToText(c.value, "."), c.dot);
        EXPECT_EQ(FloatToText(c.value, ","), c.comma);
    }
    EXPECT_EQ(FloatToText(std::nan(""), "."), "NAN");
}

TEST(TextToFloat, ReadsTheGivenSeparatorOnly) {
    struct Case {
        const char* text;
        const char* separator;
        double value;
    };
    const Case cases[] = {
        {"0", ".", 0.0},           {"12", ".", 12.0},
        {"  12.5  ", ".", 12.5},   {"-12.5", ".", -12.5},
        {"+12.5", ".", 12.5},      {"12,5", ",", 12.5},
        {".5", ".", 0.5},          {"5.", ".", 5.0},
        {",5", ",", 0.5},          {"1E20", ".", 1e20},
        {"1e-5", ".", 1e-5},       {"1,5E+3", ",", 1500.0},
        {"-2.5e-3", ".", -0.0025}, {"45000.4520567477", ".", 45000.4520567477},
        {"1e-400", ".", 0.0},      {"0.1", ".", 0.1},
        {"00012", ".", 12.0},      {"1.797693134862315e308", ".", 1.797693134862315e308},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextToFloat(c.text, c.separator), c.value) << c.text;
    }
    EXPECT_TRUE(std::signbit(TextToFloat("-1e-400", ".")));
}

TEST(TextToFloat, RejectsEverythingElseWithTheProgramsMessage) {
    struct Case {
        const char* text;
        const char* separator;
    };
    const Case cases[] = {
        {"", "."},      {" ", "."},    {"1.5", ","},     {"1,5", "."},       {"1.5.", "."},
        {".", "."},     {"-", "."},    {"1e", "."},      {"1e+", "."},       {"e5", "."},
        {"1 .5", "."},  {"1. 5", "."}, {"- 1", "."},     {"abc", "."},       {"1x", "."},
        {"inf", "."},   {"INF", "."},  {"nan", "."},     {"-infinity", "."}, {"0x10", "."},
        {"1e400", "."}, {"$10", "."},  {"1,000.5", "."}, {"\t1", "."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageOf([&c] { TextToFloat(c.text, c.separator); }),
                  std::string("'") + c.text + "' is not a valid floating point value")
            << c.separator;
    }
}

TEST(FloatText, DateSerialsSurviveTheRoundTripToTheMillisecond) {
    // Stored moments are written with 15 significant digits: enough for every millisecond
    // up to 9999-12-31, on both sides of 1899-12-30.
    const DateParts dates[] = {{1, 1, 1},     {1753, 1, 1},   {1899, 12, 29}, {1899, 12, 30},
                               {2023, 1, 19}, {2173, 10, 14}, {2174, 1, 1},   {9999, 12, 31}};
    const TimeParts times[] = {{0, 0, 0, 0},  {0, 0, 0, 1},      {8, 5, 7, 250},
                               {12, 0, 0, 0}, {15, 30, 10, 999}, {23, 59, 59, 999}};
    for (const DateParts& d : dates) {
        for (const TimeParts& t : times) {
            const TDateTime moment = EncodeDateTime(d, t);
            for (const char* separator : {".", ","}) {
                const std::string text = FloatToText(moment, separator);
                ASSERT_EQ(ToMilliseconds(TextToFloat(text, separator)), ToMilliseconds(moment))
                    << text;
            }
        }
    }
    // Any double comes back as itself once it has been through the text.
    for (double v : {0.1, 1.0 / 3, 45000.4520567477, -693593.999988426, 2958465.99998843}) {
        const double once = TextToFloat(FloatToText(v, "."), ".");
        EXPECT_EQ(TextToFloat(FloatToText(once, ","), ","), once);
    }
}

}  // namespace
}  // namespace tc
