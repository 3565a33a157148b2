#include "core/text_scanner.h"

#include "core/ascii_text.h"

namespace tc {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view word) {
    return text.size() >= word.size() && SameIgnoringAsciiCase(text.substr(0, word.size()), word);
}

}  // namespace

std::size_t BlankLength(std::string_view text, std::size_t pos) {
    const std::string_view rest = text.substr(pos < text.size() ? pos : text.size());
    if (rest.empty()) return 0;
    if (rest[0] == ' ' || rest[0] == '\t') return 1;
    if (rest.substr(0, 2) == "\xC2\xA0") return 2;
    if (rest.substr(0, 3) == "\xE2\x80\xAF") return 3;
    return 0;
}

std::size_t CharLength(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF7)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    return pos + length <= text.size() ? length : 1;
}

bool TextScanner::AtDigit() const { return !AtEnd() && text_[pos_] >= '0' && text_[pos_] <= '9'; }

void TextScanner::SkipBlanks() {
    while (std::size_t length = BlankLength(text_, pos_)) pos_ += length;
}

bool TextScanner::TakeNumber(int maxDigits, int& value, int& count) {
    value = 0;
    count = 0;
    while (count < maxDigits && AtDigit()) {
        value = value * 10 + (text_[pos_] - '0');
        ++pos_;
        ++count;
    }
    return count > 0;
}

bool TextScanner::TakeNumber(int maxDigits, int& value) {
    int count = 0;
    return TakeNumber(maxDigits, value, count);
}

bool TextScanner::TakeWord(std::string_view word) {
    if (word.empty() || !StartsWithIgnoringCase(text_.substr(pos_), word)) return false;
    pos_ += word.size();
    return true;
}

int TextScanner::TakeLongestWord(const std::vector<std::string_view>& words) {
    int best = -1;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].empty() || !StartsWithIgnoringCase(text_.substr(pos_), words[i])) continue;
        if (best < 0 || words[i].size() > words[best].size()) best = static_cast<int>(i);
    }
    if (best >= 0) pos_ += words[best].size();
    return best;
}

}  // namespace tc
