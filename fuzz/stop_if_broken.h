#pragma once
// Ends a fuzz run on a broken check: names the check and shows the input, escaped, then aborts
// so that libFuzzer saves the input as a crasher.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tc {

inline std::string Escaped(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        }
    }
    return out;
}

inline void StopIfBroken(const std::string& problem, std::string_view input) {
    if (problem.empty()) return;
    std::fprintf(stderr, "broken: %s\ninput: \"%s\"\n", problem.c_str(), Escaped(input).c_str());
    std::abort();
}

}  // namespace tc
