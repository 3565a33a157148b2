#pragma once
// Code page port: converts between the program's UTF-8 text and the system ANSI code page,
// in which config.ini and the command log are stored.
#include <string>
#include <string_view>

namespace tc {

class CodePage {
public:
    virtual ~CodePage() = default;
    virtual std::string ToAnsi(std::string_view utf8) = 0;
    virtual std::string FromAnsi(std::string_view ansi) = 0;
};

}  // namespace tc
