#include "support/fakes/fake_locale.h"

namespace tc {
namespace {

void EnglishNames(LocaleInfo& l) {
    l.monthNames = {"January", "February", "March",     "April",   "May",      "June",
                    "July",    "August",   "September", "October", "November", "December"};
    l.shortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    l.dayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    l.shortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
}

}  // namespace

LocaleInfo ChineseLocale() {
    LocaleInfo l;
    l.shortDate = "yyyy/M/d";
    l.dateSeparator = "/";
    l.timeSeparator = ":";
    l.timeFormat = 1;
    l.hourLeadingZero = 1;
    l.markerPosition = 0;
    l.am = "上午";
    l.pm = "下午";
    l.decimalSeparator = ".";
    l.monthNames = {"一月", "二月", "三月", "四月", "五月",   "六月",
                    "七月", "八月", "九月", "十月", "十一月", "十二月"};
    l.shortMonthNames = {"1月", "2月", "3月", "4月",  "5月",  "6月",
                         "7月", "8月", "9月", "10月", "11月", "12月"};
    l.dayNames = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
    l.shortDayNames = {"周日", "周一", "周二", "周三", "周四", "周五", "周六"};
    return l;
}

LocaleInfo UsEnglishLocale() {
    LocaleInfo l;
    EnglishNames(l);
    l.shortDate = "M/d/yyyy";
    l.dateSeparator = "/";
    l.timeSeparator = ":";
    l.timeFormat = 0;
    l.hourLeadingZero = 0;
    l.markerPosition = 0;
    l.am = "AM";
    l.pm = "PM";
    l.decimalSeparator = ".";
    return l;
}

LocaleInfo GermanLocale() {
    LocaleInfo l;
    l.shortDate = "dd.MM.yyyy";
    l.dateSeparator = ".";
    l.timeSeparator = ":";
    l.timeFormat = 1;
    l.hourLeadingZero = 1;
    l.markerPosition = 0;
    l.am = "";
    l.pm = "";
    l.decimalSeparator = ",";
    l.monthNames = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                    "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    l.shortMonthNames = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                         "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    l.dayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
    l.shortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    return l;
}

LocaleInfo KoreanStyleLocale() {
    LocaleInfo l;
    EnglishNames(l);
    l.shortDate = "yyyy-MM-dd";
    l.dateSeparator = "-";
    l.timeSeparator = ":";
    l.timeFormat = 0;
    l.hourLeadingZero = 0;
    l.markerPosition = 1;
    l.am = "오전";
    l.pm = "오후";
    l.decimalSeparator = ".";
    return l;
}

LocaleInfo NamedMonthLocale() {
    LocaleInfo l;
    EnglishNames(l);
    l.shortDate = "dddd, d 'de' MMMM 'de' yyyy";
    l.dateSeparator = "/";
    l.timeSeparator = ".";
    l.timeFormat = 1;
    l.hourLeadingZero = 0;
    l.markerPosition = 0;
    l.am = "";
    l.pm = "";
    l.decimalSeparator = ",";
    return l;
}

}  // namespace tc
