#pragma once
// The system ANSI code page (CP_ACP): 936 on a Chinese system.
#include "platform/code_page.h"

namespace tc {

class Win32CodePage : public CodePage {
public:
    // Characters the code page lacks become the system's default character ("?").
    std::string ToAnsi(std::string_view utf8) override;
    std::string FromAnsi(std::string_view ansi) override;
};

}  // namespace tc
