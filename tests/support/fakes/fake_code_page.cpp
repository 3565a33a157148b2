#include "support/fakes/fake_code_page.h"

namespace tc {

std::string FakeCodePage::ToAnsi(std::string_view utf8) {
    if (!mark) return std::string(utf8);
    return "<ansi>" + std::string(utf8) + "</ansi>";
}

std::string FakeCodePage::FromAnsi(std::string_view ansi) {
    const std::string_view open = "<ansi>", close = "</ansi>";
    if (mark && ansi.size() >= open.size() + close.size() && ansi.substr(0, open.size()) == open &&
        ansi.substr(ansi.size() - close.size()) == close)
        return std::string(ansi.substr(open.size(), ansi.size() - open.size() - close.size()));
    return std::string(ansi);
}

}  // namespace tc
