#pragma once
// Reading a UTF-8 text from front to back: blanks, numbers and words, with ASCII letters
// compared without regard to case. Used by the date and time readers.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tc {

// The byte length of the blank at `pos` (space, tab, no-break space U+00A0, narrow no-break
// space U+202F), 0 when there is none.
std::size_t BlankLength(std::string_view text, std::size_t pos);
// The byte length of the UTF-8 character that starts at `pos` (1 for a stray byte).
std::size_t CharLength(std::string_view text, std::size_t pos);

class TextScanner {
public:
    explicit TextScanner(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    std::size_t Position() const { return pos_; }
    void MoveTo(std::size_t pos) { pos_ = pos; }
    bool AtDigit() const;

    void SkipBlanks();
    // Reads 1 to maxDigits ASCII digits; `count` receives how many were read.
    bool TakeNumber(int maxDigits, int& value, int& count);
    bool TakeNumber(int maxDigits, int& value);
    // Takes `word` when the text continues with it; an empty word never matches.
    bool TakeWord(std::string_view word);
    // Takes the longest of `words` that the text continues with (the first one on a tie) and
    // returns its index, or -1 when none matches.
    int TakeLongestWord(const std::vector<std::string_view>& words);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace tc
