#include "platform/win32/win32_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/errors.h"

namespace tc {
namespace {

TEST(Win32Text, Utf8AndUtf16RoundTrip) {
    EXPECT_EQ(Widen(""), L"");
    EXPECT_EQ(Narrow(L""), "");
    EXPECT_EQ(Widen("a\\b"), L"a\\b");
    EXPECT_EQ(Widen("执行"), L"\u6267\u884C");
    // A character outside the basic plane takes two UTF-16 units.
    const std::string text = "日志 \xF0\x9F\x98\x80 é";
    const std::wstring wide = Widen(text);
    EXPECT_EQ(wide.size(), 7u);
    EXPECT_EQ(Narrow(wide), text);
    // Embedded zeros are kept, not taken as the end of the text.
    EXPECT_EQ(Narrow(Widen(std::string("a\0b", 3))), std::string("a\0b", 3));
}

TEST(Win32Text, SystemErrorsCarryCodeAndSystemText) {
    const std::string text = SystemErrorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(text.back(), '\r');

    SetLastError(ERROR_ACCESS_DENIED);
    try {
        ThrowLastError();
        FAIL() << "no exception";
    } catch (const SystemError& e) {
        EXPECT_EQ(e.code(), 5u);
        EXPECT_EQ(std::string(e.what()), "System Error.  Code: 5.\r\n" + SystemErrorText(5));
    }
}

}  // namespace
}  // namespace tc
