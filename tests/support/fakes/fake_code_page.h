#pragma once
// Stands in for the system code page: UTF-8 text passes through marked, so a test can tell
// converted bytes from unconverted ones. Text without the mark converts back unchanged.
#include <string>

#include "platform/code_page.h"

namespace tc {

class FakeCodePage : public CodePage {
public:
    // When on, ToAnsi wraps the text in "<ansi>" ... "</ansi>" and FromAnsi removes the wrapping.
    bool mark = false;
    std::string ToAnsi(std::string_view utf8) override;
    std::string FromAnsi(std::string_view ansi) override;
};

}  // namespace tc
