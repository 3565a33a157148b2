#include "platform/win32/win32_code_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/test_locale.h"

namespace tc {
namespace {

struct Case {
    std::string utf8;
    std::string ansi;
    bool roundTrips;  // false where the code page lacks a character
};

std::vector<Case> CasesFor(const std::string& locale) {
    if (locale == "zh_CN.UTF-8")  // code page 936
        return {
            {"", "", true},
            {"C:\\Tools\\a.exe -s", "C:\\Tools\\a.exe -s", true},
            {"执行命令-关机", "\xD6\xB4\xD0\xD0\xC3\xFC\xC1\xEE-\xB9\xD8\xBB\xFA", true},
            {"上午 10:00", "\xC9\xCF\xCE\xE7 10:00", true},
            {"한", "?", false},  // Hangul is not in code page 936
        };
    return {
        // code page 1252
        {"", "", true},
        {"C:\\Tools\\a.exe -s", "C:\\Tools\\a.exe -s", true},
        {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80", true},
        {"执", "?", false},
    };
}

TEST(Win32CodePage, ConvertsToAndFromTheSystemCodePage) {
    const std::string locale = TestLocale();
    ASSERT_TRUE(IsKnownTestLocale(locale))
        << "LC_ALL must be zh_CN.UTF-8 or en_US.UTF-8, not '" << locale << "'";
    Win32CodePage codePage;
    for (const Case& c : CasesFor(locale)) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(codePage.ToAnsi(c.utf8), c.ansi);
        if (c.roundTrips) {
            EXPECT_EQ(codePage.FromAnsi(c.ansi), c.utf8);
        }
    }
}

}  // namespace
}  // namespace tc
