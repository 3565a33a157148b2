#include "core/moments.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/errors.h"
#include "support/fakes/fake_clock.h"
#include "support/fakes/fake_locale.h"

namespace tc {
namespace {

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return EncodeDateTime({y, mo, d}, {h, mi, s, ms});
}

// A moment from whole milliseconds since 1899-12-30 00:00, before that day too.
TDateTime FromMs(std::int64_t ms) {
    const std::int64_t msPerDay = 86400000;
    std::int64_t day = ms / msPerDay;
    if (ms % msPerDay < 0) --day;
    const std::int64_t ofDay = ms - day * msPerDay;
    const Decoded d = Decode(static_cast<double>(day));
    const TimeParts t{static_cast<int>(ofDay / 3600000), static_cast<int>(ofDay / 60000 % 60),
                      static_cast<int>(ofDay / 1000 % 60), static_cast<int>(ofDay % 1000)};
    return EncodeDateTime(d.date, t);
}

// More regional settings than the fakes offer: names and literal text in every place, two-digit
// years, fields with no separator between them, markers with dots, a 12-hour locale without
// markers.
LocaleInfo ChineseLongStyle() {
    LocaleInfo l = ChineseLocale();
    l.shortDate = "yyyy'年'M'月'd'日' dddd";
    l.timeFormat = 0;
    l.markerPosition = 1;
    l.hourLeadingZero = 1;
    return l;
}

LocaleInfo TwoDigitYear() {
    LocaleInfo l = ChineseLocale();
    l.shortDate = "yy/MM/dd ddd";
    l.hourLeadingZero = 0;
    return l;
}

LocaleInfo Compact() {
    LocaleInfo l = UsEnglishLocale();
    l.shortDate = "yyyyMMdd";
    l.hourLeadingZero = 1;
    l.am = "a.m.";
    l.pm = "p.m.";
    return l;
}

LocaleInfo QuotedText() {
    LocaleInfo l = UsEnglishLocale();
    l.shortDate = "'It''s' dddd, MMMM dd, yyyy gg";
    l.timeFormat = 1;
    l.hourLeadingZero = 1;
    return l;
}

LocaleInfo TwelveHourWithoutMarkers() {
    LocaleInfo l = UsEnglishLocale();
    l.am = "";
    l.pm = "";
    return l;
}

struct NamedLocale {
    const char* name;
    LocaleInfo info;
};

std::vector<NamedLocale> AllLocales() {
    return {{"Chinese", ChineseLocale()},
            {"UsEnglish", UsEnglishLocale()},
            {"German", GermanLocale()},
            {"KoreanStyle", KoreanStyleLocale()},
            {"NamedMonth", NamedMonthLocale()},
            {"ChineseLongStyle", ChineseLongStyle()},
            {"TwoDigitYear", TwoDigitYear()},
            {"Compact", Compact()},
            {"QuotedText", QuotedText()},
            {"TwelveHourWithoutMarkers", TwelveHourWithoutMarkers()}};
}

std::string MessageOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const ConvertError& e) {
        return e.what();
    }
    return "(no error)";
}

// ---- Rendering ----------------------------------------------------------------------------

TEST(LocaleForms, RendersEachLocaleInItsOwnForms) {
    const TDateTime morning = At(2023, 1, 19, 8, 5, 7, 250);
    const TDateTime evening = At(2023, 1, 19, 20, 5, 7, 999);
    struct Case {
        LocaleInfo locale;
        const char* date;
        const char* morningTime;
        const char* eveningTime;
    };
    const Case cases[] = {
        {ChineseLocale(), "2023/1/19", "08:05:07", "20:05:07"},
        {UsEnglishLocale(), "1/19/2023", "8:05:07 AM", "8:05:07 PM"},
        {GermanLocale(), "19.01.2023", "08:05:07", "20:05:07"},
        {KoreanStyleLocale(), "2023-01-19", "오전 8:05:07", "오후 8:05:07"},
        {NamedMonthLocale(), "Thursday, 19 de January de 2023", "8.05.07", "20.05.07"},
        {ChineseLongStyle(), "2023年1月19日 星期四", "上午 08:05:07", "下午 08:05:07"},
        {TwoDigitYear(), "23/01/19 周四", "8:05:07", "20:05:07"},
        {Compact(), "20230119", "08:05:07 a.m.", "08:05:07 p.m."},
        {QuotedText(), "It's Thursday, January 19, 2023 ", "08:05:07", "20:05:07"},
        {TwelveHourWithoutMarkers(), "1/19/2023", "8:05:07", "20:05:07"},
    };
    for (const Case& c : cases) {
        const LocaleForms forms(c.locale);
        SCOPED_TRACE(c.locale.shortDate);
        EXPECT_EQ(forms.ShortDate(morning), c.date);
        EXPECT_EQ(forms.LongTime(morning), c.morningTime);
        EXPECT_EQ(forms.LongTime(evening), c.eveningTime);
        EXPECT_EQ(forms.DateTimeText(morning), std::string(c.date) + " " + c.morningTime);
    }
}

TEST(LocaleForms, TwelveHourClockAroundMidnightAndNoon) {
    struct Case {
        TDateTime moment;
        const char* us;
        const char* korean;
    };
    const Case cases[] = {
        {At(2023, 1, 19, 0, 0, 5), "12:00:05 AM", "오전 12:00:05"},
        {At(2023, 1, 19, 0, 59, 59), "12:59:59 AM", "오전 12:59:59"},
        {At(2023, 1, 19, 1, 0, 0), "1:00:00 AM", "오전 1:00:00"},
        {At(2023, 1, 19, 11, 59, 59), "11:59:59 AM", "오전 11:59:59"},
        {At(2023, 1, 19, 12, 0, 0), "12:00:00 PM", "오후 12:00:00"},
        {At(2023, 1, 19, 13, 0, 0), "1:00:00 PM", "오후 1:00:00"},
        {At(2023, 1, 19, 23, 59, 59), "11:59:59 PM", "오후 11:59:59"},
    };
    const LocaleForms us(UsEnglishLocale());
    const LocaleForms korean(KoreanStyleLocale());
    for (const Case& c : cases) {
        EXPECT_EQ(us.LongTime(c.moment), c.us);
        EXPECT_EQ(korean.LongTime(c.moment), c.korean);
    }
}

TEST(LocaleForms, PatternLettersAndLiterals) {
    LocaleInfo l = UsEnglishLocale();
    const TDateTime day = At(2005, 3, 7, 12);  // a Monday
    struct Case {
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {"d/M/y", "7/3/5"},
        {"dd/MM/yy", "07/03/05"},
        {"ddd dddd ddddd", "Mon Monday Monday"},
        {"MMM MMMM MMMMM", "Mar March March"},
        {"yyy|yyyy|yyyyy", "2005|2005|2005"},
        {"gg yyyy g", " 2005 "},
        {"'d''M''y' d", "d'M'y 7"},
        {"d '' M", "7 ' 3"},
        {"'unterminated d", "unterminated d"},
        {"D-m-Y", "D-m-Y"},  // only d, M, y and g are letters of the pattern
    };
    for (const Case& c : cases) {
        l.shortDate = c.pattern;
        EXPECT_EQ(LocaleForms(l).ShortDate(day), c.text) << c.pattern;
    }
    // A locale without names shows the month number and leaves the day name out.
    LocaleInfo bare;
    bare.shortDate = "ddd d MMMM yyyy";
    EXPECT_EQ(LocaleForms(bare).ShortDate(day), " 7 3 2005");
    EXPECT_EQ(LocaleForms(bare).ParseDate(" 7 3 2005"), At(2005, 3, 7));
    // Years before 1000 keep four digits.
    l.shortDate = "yyyy-MM-dd";
    EXPECT_EQ(LocaleForms(l).ShortDate(At(1, 1, 1)), "0001-01-01");
}

TEST(LocaleForms, FieldsWithoutSeparatorsReadBack) {
    LocaleInfo l = ChineseLocale();
    const TDateTime moments[] = {At(2023, 1, 19, 8, 5, 7), At(2009, 11, 3, 23, 59, 59),
                                 At(1999, 12, 31), At(2000, 10, 10, 10, 10, 10)};
    for (const char* pattern : {"yyMMdd", "yyyyMMdd", "ddMMyyyy", "MMddyy", "yyyyddMM"}) {
        l.shortDate = pattern;
        const LocaleForms forms(l);
        for (TDateTime m : moments) {
            EXPECT_EQ(forms.ParseDateTime(forms.DateTimeText(m)), m) << forms.DateTimeText(m);
        }
    }
}

// ---- The first second after midnight -----------------------------------------------------

TEST(LocaleForms, FirstSecondAfterMidnightIsTheDateAlone) {
    const TDateTime early = At(2023, 1, 19, 0, 0, 0, 600);
    for (const NamedLocale& l : AllLocales()) {
        SCOPED_TRACE(l.name);
        const LocaleForms forms(l.info);
        EXPECT_EQ(forms.DateTimeText(early), forms.ShortDate(early));
        EXPECT_EQ(forms.ParseDateTime(forms.DateTimeText(early)), At(2023, 1, 19));
        EXPECT_NE(forms.DateTimeText(At(2023, 1, 19, 0, 0, 1)), forms.ShortDate(early));
        EXPECT_NE(forms.DateTimeText(At(2023, 1, 19, 0, 1, 0)), forms.ShortDate(early));
    }
    EXPECT_TRUE(SameSecond(early, At(2023, 1, 19)));
    EXPECT_EQ(LocaleForms(UsEnglishLocale()).DateTimeText(At(2023, 1, 19, 12)),
              "1/19/2023 12:00:00 PM");
}

// ---- Matching on ticks --------------------------------------------------------------------

TEST(Matching, OneTimeTargetMatchesOnlyTheTickInsideItsSecond) {
    const TDateTime target = At(2023, 1, 19, 10, 0, 0);
    struct Tick {
        TDateTime now;
        bool matches;
    };
    const Tick ticks[] = {
        {At(2023, 1, 19, 9, 59, 59, 400), false},
        {At(2023, 1, 19, 10, 0, 0, 400), true},
        {At(2023, 1, 19, 10, 0, 1, 400), false},
        // Two ticks inside one second both match: nothing records that the target fired.
        {At(2023, 1, 19, 10, 0, 0, 0), true},
        {At(2023, 1, 19, 10, 0, 0, 999), true},
        // One delayed tick: the second is skipped and never caught up.
        {At(2023, 1, 19, 9, 59, 59, 990), false},
        {At(2023, 1, 19, 10, 0, 1, 5), false},
        // The same second on another day is no match for a one-time target.
        {At(2023, 1, 20, 10, 0, 0, 400), false},
    };
    for (const Tick& t : ticks) {
        EXPECT_EQ(SameSecond(t.now, target), t.matches) << Decode(t.now).time.millisecond;
    }
}

TEST(Matching, DailyTargetMatchesOnEveryDate) {
    const TDateTime daily = At(2019, 4, 15, 10, 0, 0, 250);  // the time control's own date
    for (TDateTime day = EncodeDate(2020, 1, 1); day <= EncodeDate(2024, 12, 31); day += 1) {
        const Decoded d = Decode(day);
        ASSERT_TRUE(SameClockSecond(EncodeDateTime(d.date, {10, 0, 0, 700}), daily)) << day;
        ASSERT_FALSE(SameClockSecond(EncodeDateTime(d.date, {9, 59, 59, 999}), daily)) << day;
        ASSERT_FALSE(SameClockSecond(EncodeDateTime(d.date, {10, 0, 1, 0}), daily)) << day;
    }
    // Before 1899-12-30 the fraction still counts forward within the day.
    EXPECT_TRUE(SameClockSecond(At(1850, 6, 1, 10, 0, 0, 500), daily));
    EXPECT_FALSE(SameClockSecond(At(1850, 6, 1, 14, 0, 0), daily));
}

TEST(Matching, TargetDatedYesterdayNeverMatchesToday) {
    const TDateTime target = At(2023, 1, 18, 10, 0, 0);
    for (std::int64_t second = 0; second < 86400; ++second) {
        const TDateTime tick =
            FromWholeSeconds(ToWholeSeconds(At(2023, 1, 19)) + second) + 0.4 / 86400;
        ASSERT_FALSE(SameSecond(tick, target)) << second;
    }
}

// ---- ComposeMoment ------------------------------------------------------------------------

TEST(ComposeMoment, TakesTheDateOfOneAndTheWholeSecondOfTheOther) {
    EXPECT_EQ(ComposeMoment(At(2023, 1, 19, 15, 30, 10), At(2019, 4, 15, 8, 5, 7, 250)),
              At(2023, 1, 19, 8, 5, 7, 0));
    EXPECT_EQ(ComposeMoment(At(2023, 1, 19, 23, 59, 59, 999), At(2019, 4, 15, 0, 0, 0, 999)),
              At(2023, 1, 19));
    EXPECT_EQ(ComposeMoment(At(1899, 12, 29, 18), At(2000, 1, 1, 6, 0, 0, 999)),
              At(1899, 12, 29, 6));
    EXPECT_EQ(ComposeMoment(At(2000, 1, 1, 6), At(1899, 12, 29, 18, 0, 1, 500)),
              At(2000, 1, 1, 18, 0, 1));
}

// ---- Round trips --------------------------------------------------------------------------

// Moments of the whole supported range, the edges of the day and of the 12-hour clock.
std::vector<TDateTime> SampleMoments(int yearStep) {
    const TimeParts times[] = {{0, 0, 0, 0},   {0, 0, 0, 600},  {0, 0, 7, 0},
                               {0, 59, 59, 0}, {9, 5, 3, 0},    {11, 59, 59, 999},
                               {12, 0, 0, 0},  {12, 0, 0, 400}, {12, 30, 45, 0},
                               {13, 0, 0, 1},  {23, 59, 59, 0}, {23, 59, 59, 999}};
    std::vector<TDateTime> moments;
    std::vector<DateParts> dates = {{1, 1, 1},      {1753, 1, 1},  {1899, 12, 29}, {1899, 12, 30},
                                    {1899, 12, 31}, {2000, 2, 29}, {9999, 12, 31}};
    for (int year = 1900; year <= 9999; year += yearStep) {
        dates.push_back({year, year % 12 + 1, year % 28 + 1});
    }
    for (const DateParts& d : dates) {
        for (const TimeParts& t : times) moments.push_back(EncodeDateTime(d, t));
    }
    return moments;
}

TEST(LocaleForms, EveryRenderedTextParsesBackToTheSameSecondInEveryLocale) {
    const std::vector<TDateTime> moments = SampleMoments(97);
    for (const NamedLocale& l : AllLocales()) {
        SCOPED_TRACE(l.name);
        LocaleForms forms(l.info);
        for (TDateTime m : moments) {
            forms.SetReferenceYear(Decode(m).date.year);  // two-digit years: the moment's century
            const std::string text = forms.DateTimeText(m);
            ASSERT_EQ(forms.ParseDateTime(text), FromWholeSeconds(ToWholeSeconds(m))) << text;
            ASSERT_EQ(forms.ParseDate(forms.ShortDate(m)), DateOf(m)) << text;
            ASSERT_EQ(ToWholeSeconds(forms.ParseTime(forms.LongTime(m))), ToWholeSeconds(TimeOf(m)))
                << text;
        }
    }
}

TEST(LocaleForms, MatchingRulesAgreeWithTheTextRoundTrip) {
    // The rules compare decoded seconds; the text round trip through any locale must say the same.
    const std::vector<TDateTime> moments = SampleMoments(997);
    const std::int64_t steps[] = {0, 399, 400, 1000, -1, 86400000, -86400000};
    for (const NamedLocale& l : AllLocales()) {
        SCOPED_TRACE(l.name);
        LocaleForms forms(l.info);
        for (TDateTime a : moments) {
            forms.SetReferenceYear(Decode(a).date.year);
            const TDateTime aText = forms.ParseDateTime(forms.DateTimeText(a));
            const TDateTime aClockText = forms.ParseTime(forms.LongTime(a));
            for (std::int64_t step : steps) {
                const TDateTime b = FromMs(ToMilliseconds(a) + step);
                const int yearB = Decode(b).date.year;
                if (yearB < 1 || yearB > 9999) continue;
                SCOPED_TRACE(forms.DateTimeText(a) + " / " + std::to_string(step));
                ASSERT_EQ(SameSecond(a, b), aText == forms.ParseDateTime(forms.DateTimeText(b)));
                ASSERT_EQ(SameClockSecond(a, b), aClockText == forms.ParseTime(forms.LongTime(b)));
                ASSERT_EQ(ComposeMoment(a, b),
                          forms.ParseDateTime(forms.ShortDate(a) + " " + forms.LongTime(b)));
            }
        }
    }
}

// ---- Lenient reading of stored texts ------------------------------------------------------

TEST(LocaleForms, ReadsStoredTextsLeniently) {
    struct Case {
        LocaleInfo locale;
        const char* text;
        TDateTime expected;
    };
    const Case cases[] = {
        {ChineseLocale(), "  2023/1/19 8:05:07  ", At(2023, 1, 19, 8, 5, 7)},
        {ChineseLocale(), "2023/01/19 16:12", At(2023, 1, 19, 16, 12)},
        {ChineseLocale(), "2023/1/19 08:05:07.250", At(2023, 1, 19, 8, 5, 7, 250)},
        {ChineseLocale(), "2023/1/19 08:05:07.5", At(2023, 1, 19, 8, 5, 7, 500)},
        {ChineseLocale(), "2023/1/19 下午 4:05:07", At(2023, 1, 19, 16, 5, 7)},
        {ChineseLocale(), "2023/1/19 4:05:07 pm", At(2023, 1, 19, 16, 5, 7)},
        {ChineseLocale(), "2023/1/19", At(2023, 1, 19)},
        {ChineseLocale(), "2023 / 1 / 19\t8:05:07", At(2023, 1, 19, 8, 5, 7)},
        {ChineseLocale(), "16:12", At(1899, 12, 30, 16, 12)},
        {UsEnglishLocale(), "1/19/2023 8:05:07 pm", At(2023, 1, 19, 20, 5, 7)},
        {UsEnglishLocale(), "1/19/2023 8:05:07PM", At(2023, 1, 19, 20, 5, 7)},
        {UsEnglishLocale(), "1/19/2023 20:05:07", At(2023, 1, 19, 20, 5, 7)},
        {UsEnglishLocale(), "1/19/2023 12:00:00 am", At(2023, 1, 19)},
        {UsEnglishLocale(), "1/19/2023 AM 12:30", At(2023, 1, 19, 0, 30)},
        {GermanLocale(), "19.1.2023 8:05", At(2023, 1, 19, 8, 5)},
        {KoreanStyleLocale(), "2023-01-19 8:05:07 오후", At(2023, 1, 19, 20, 5, 7)},
        {NamedMonthLocale(), "thursday, 19 DE JANUARY de 2023 8.05.07", At(2023, 1, 19, 8, 5, 7)},
        {NamedMonthLocale(), "Thu, 19 de Jan de 2023 8:05", At(2023, 1, 19, 8, 5)},
        {NamedMonthLocale(), "Friday, 19 de 1 de 2023", At(2023, 1, 19)},  // names are not checked
        {TwoDigitYear(), "75/01/19 周四", At(2075, 1, 19)},
        {TwoDigitYear(), "76/01/19", At(1976, 1, 19)},
        {TwoDigitYear(), "2023/01/19 星期四 8:05", At(2023, 1, 19, 8, 5)},
        {Compact(), "20230119 8:05:07 P.M.", At(2023, 1, 19, 20, 5, 7)},
        {QuotedText(), "it's thursday,january 19,2023 8:05:07", At(2023, 1, 19, 8, 5, 7)},
    };
    for (const Case& c : cases) {
        LocaleForms forms(c.locale);
        forms.SetReferenceYear(2026);
        EXPECT_EQ(forms.ParseDateTime(c.text), c.expected) << c.text;
    }
}

TEST(LocaleForms, CenturyWindowAroundTheReferenceYear) {
    LocaleForms forms(TwoDigitYear());
    struct Case {
        int reference;
        const char* text;
        int year;
    };
    const Case cases[] = {
        {2026, "76/01/01", 1976}, {2026, "75/01/01", 2075}, {2026, "00/01/01", 2000},
        {2026, "99/01/01", 1999}, {2090, "40/01/01", 2040}, {2090, "39/01/01", 2139},
        {1950, "00/01/01", 1900}, {1950, "99/01/01", 1999}, {2026, "1976/01/01", 1976}};
    for (const Case& c : cases) {
        forms.SetReferenceYear(c.reference);
        EXPECT_EQ(Decode(forms.ParseDate(c.text)).date.year, c.year)
            << c.reference << " " << c.text;
    }
}

TEST(LocaleForms, TwelveHourLocaleWithoutMarkersUsesTheTwentyFourHourClock) {
    // "8:05:07" cannot tell morning from evening, so such a locale is shown on a 24-hour clock.
    LocaleInfo oneMarker = UsEnglishLocale();
    oneMarker.am = "";
    LocaleInfo sameMarkers = UsEnglishLocale();
    sameMarkers.pm = "am";
    for (const LocaleInfo& info : {TwelveHourWithoutMarkers(), oneMarker, sameMarkers}) {
        const LocaleForms forms(info);
        EXPECT_EQ(forms.LongTime(At(2023, 1, 19, 0, 5, 7)), "0:05:07");
        EXPECT_EQ(forms.LongTime(At(2023, 1, 19, 20, 5, 7)), "20:05:07");
        EXPECT_EQ(forms.ParseDateTime("1/19/2023 20:05:07"), At(2023, 1, 19, 20, 5, 7));
    }
}

// ---- Failures -----------------------------------------------------------------------------

TEST(LocaleForms, RejectedTextsCarryTheProgramsMessages) {
    const LocaleForms chinese(ChineseLocale());
    const LocaleForms us(UsEnglishLocale());
    const LocaleForms named(NamedMonthLocale());
    const LocaleForms german(GermanLocale());
    struct Case {
        const LocaleForms* forms;
        TDateTime (LocaleForms::*parse)(const std::string&) const;
        const char* text;
        const char* what;
    };
    const auto time = &LocaleForms::ParseTime;
    const auto date = &LocaleForms::ParseDate;
    const auto both = &LocaleForms::ParseDateTime;
    const Case cases[] = {
        {&chinese, time, "25:00:00", "time"},
        {&chinese, time, "", "time"},
        {&chinese, time, "   ", "time"},
        {&chinese, time, "10:60:00", "time"},
        {&chinese, time, "10:00:60", "time"},
        {&chinese, time, "8", "time"},
        {&chinese, time, "8:", "time"},
        {&chinese, time, "8:05:", "time"},
        {&chinese, time, "10:00:00 x", "time"},
        {&chinese, time, "2023/1/19 10:00:00", "time"},
        {&us, time, "13:00:00 PM", "time"},
        {&us, time, "AM 8:05:07 PM", "time"},
        {&us, time, "8:05:07.", "time"},
        {&chinese, both, "2023/2/29 10:00:00", "date and time"},
        {&chinese, both, "2023/13/1", "date and time"},
        {&chinese, both, "2023/1/19 24:00:00", "date and time"},
        {&chinese, both, "2023/1/19 10:00:00 junk", "date and time"},
        {&chinese, both, "abc", "date and time"},
        {&chinese, both, "", "date and time"},
        {&chinese, both, "2023/0/19", "date and time"},
        {&named, both, "Thursday, 19 de Janvier de 2023", "date and time"},
        {&german, both, "2023/1/19 10:00:00", "date and time"},
        {&chinese, date, "2023/1/19 10:00", "date"},
        {&chinese, date, "2023/1/32", "date"},
        {&chinese, date, "", "date"},
        {&german, date, "19.01.", "date"},
    };
    for (const Case& c : cases) {
        const std::string expected = std::string("'") + c.text + "' is not a valid " + c.what;
        EXPECT_EQ(MessageOf([&c] { (c.forms->*c.parse)(c.text); }), expected);
    }
}

// ---- Now and the regional settings --------------------------------------------------------

TEST(Moments, NowComesFromTheClockAndSettingsAreReadAgainOnRequest) {
    FakeClock clock;
    clock.Set(2023, 1, 19, 10, 0, 0, 250);
    FakeLocale locale(ChineseLocale());
    Moments moments(clock, locale);
    EXPECT_EQ(moments.Now(), At(2023, 1, 19, 10, 0, 0, 250));
    EXPECT_EQ(clock.reads(), 1);
    EXPECT_EQ(locale.reads(), 1);
    EXPECT_EQ(moments.Forms().DateTimeText(At(2023, 1, 19, 8, 5, 7)), "2023/1/19 08:05:07");

    locale.Set(UsEnglishLocale());
    EXPECT_EQ(moments.Forms().DateTimeText(At(2023, 1, 19, 8, 5, 7)), "2023/1/19 08:05:07");
    moments.ReloadLocale();
    EXPECT_EQ(locale.reads(), 2);
    EXPECT_EQ(moments.Forms().DateTimeText(At(2023, 1, 19, 8, 5, 7)), "1/19/2023 8:05:07 AM");
}

TEST(Moments, TwoDigitYearsFollowTheYearOfNow) {
    FakeClock clock;
    FakeLocale locale(TwoDigitYear());
    Moments moments(clock, locale);
    clock.Set(2090, 6, 1);
    moments.Now();
    EXPECT_EQ(Decode(moments.Forms().ParseDate("39/01/01")).date.year, 2139);
    moments.ReloadLocale();  // the window stays with the year last read
    EXPECT_EQ(Decode(moments.Forms().ParseDate("40/01/01")).date.year, 2040);
}

// ---- Countdown arithmetic -----------------------------------------------------------------

TEST(AddMinutes, ComputedInExtendedPrecisionAndRoundedOnce) {
    // 2023-01-19 00:00:01.237 + 60 minutes: double arithmetic rounds twice and lands one unit
    // in the last place higher.
    const TDateTime start = At(2023, 1, 19, 0, 0, 1, 237);
    volatile double plain = start;
    const double twiceRounded = (plain * 1440 + 60) / 1440;
    if (std::numeric_limits<long double>::digits > std::numeric_limits<double>::digits) {
        EXPECT_EQ(AddMinutes(start, 60), 44945.041680983792);
        EXPECT_NE(AddMinutes(start, 60), twiceRounded);
    } else {
        EXPECT_EQ(AddMinutes(start, 60), twiceRounded);
    }
}

TEST(AddMinutes, WholeMinutesLandOnWholeMilliseconds) {
    for (TDateTime day = EncodeDate(2023, 1, 1); day <= EncodeDate(2026, 12, 31); day += 13) {
        const Decoded d = Decode(day);
        for (int hour = 0; hour < 24; ++hour) {
            const Decoded later = Decode(AddMinutes(EncodeDateTime(d.date, {hour, 0, 0, 0}), 10));
            ASSERT_EQ(later.time.hour, hour);
            ASSERT_EQ(later.time.minute, 10);
            ASSERT_EQ(later.time.second, 0);
            ASSERT_EQ(later.time.millisecond, 0);
        }
    }
    EXPECT_EQ(ToMilliseconds(AddMinutes(At(2023, 1, 19, 23, 55), 10)),
              ToMilliseconds(At(2023, 1, 20, 0, 5)));
    EXPECT_EQ(ToMilliseconds(AddMinutes(At(2023, 1, 19, 0, 5), -10)),
              ToMilliseconds(At(2023, 1, 18, 23, 55)));
    EXPECT_EQ(ToMilliseconds(AddMinutes(At(2023, 1, 19, 8, 5, 7, 250), 1440 * 365)),
              ToMilliseconds(At(2024, 1, 19, 8, 5, 7, 250)));
    EXPECT_EQ(AddMinutes(At(2023, 1, 19, 8), 0), At(2023, 1, 19, 8));
}

}  // namespace
}  // namespace tc
