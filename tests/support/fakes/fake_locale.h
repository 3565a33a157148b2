#pragma once
// Regional settings of a few real systems, for tests that must hold under every one of them.
#include "platform/locale.h"

namespace tc {

LocaleInfo ChineseLocale();      // yyyy/M/d, 24-hour H:mm:ss with leading zero
LocaleInfo UsEnglishLocale();    // M/d/yyyy, h:mm:ss AM/PM marker after
LocaleInfo GermanLocale();       // dd.MM.yyyy, HH:mm:ss, decimal comma
LocaleInfo KoreanStyleLocale();  // yyyy-MM-dd, marker in front: "오후 3:04:05"
LocaleInfo NamedMonthLocale();   // "dddd, d 'de' MMMM 'de' yyyy"-like: names and literal text

class FakeLocale : public Locale {
public:
    FakeLocale() : info_(ChineseLocale()) {}
    explicit FakeLocale(LocaleInfo info) : info_(std::move(info)) {}
    LocaleInfo Read() override {
        ++reads_;
        return info_;
    }
    void Set(LocaleInfo info) { info_ = std::move(info); }
    int reads() const { return reads_; }

private:
    LocaleInfo info_;
    int reads_ = 0;
};

}  // namespace tc
