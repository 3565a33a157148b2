#include "soak_config.h"

#include <cwchar>

#include "local_time.h"

namespace tc::soak {
namespace {

// Whole days since 1899-12-30: the date serial that config.ini stores.
std::wstring DateSerial(const SYSTEMTIME& local) {
    SYSTEMTIME date = local;
    date.wHour = date.wMinute = date.wSecond = date.wMilliseconds = 0;
    FILETIME time;
    SystemTimeToFileTime(&date, &time);
    const ULONGLONG ticks =
        (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    constexpr ULONGLONG kDay = 864000000000ULL;
    constexpr ULONGLONG kDaysFrom1601To1899Dec30 = 109205;
    return std::to_wstring(ticks / kDay - kDaysFrom1601To1899Dec30);
}

std::string Ansi(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

}  // namespace

std::wstring TimeText(const SYSTEMTIME& local) {
    wchar_t separator[8] = L":";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, separator, 8);
    wchar_t text[32];
    swprintf(text, 32, L"%02d%ls%02d%ls%02d", local.wHour, separator, local.wMinute, separator,
             local.wSecond);
    return text;
}

std::string ConfigText(const SoakSettings& settings) {
    const SYSTEMTIME today = LocalTimeOf(settings.slotMomentsMs[0]);
    const std::wstring serial = DateSerial(today);
    std::wstring text =
        L"[SoftWare]\r\ncounT=10\r\nAutoRun=0\r\nAutoTimeRun=1\r\nsysTask=-1\r\n"
        L"cdTask=0\r\nptTask=0\r\nptTaskDate=" +
        serial + L"\r\nptTaskTime=00:00:00\r\ntimeOn=0\r\n[SoftRun]\r\n";
    for (int row = 1; row <= 5; ++row) {
        const std::wstring n = std::to_wstring(row);
        const SYSTEMTIME moment = LocalTimeOf(settings.slotMomentsMs[row - 1]);
        text += L"exepath" + n + L"=" + settings.slotPaths[row - 1] + L"\r\n";
        text += L"exechk" + n + L"=1\r\nexeTimeOn" + n + L"=1\r\ntask" + n + L"=0\r\n";
        text += L"TaskDate" + n + L"=" + DateSerial(moment) + L"\r\n";
        text += L"TaskTime" + n + L"=" + TimeText(moment) + L"\r\n";
    }
    text += L"[MouseRun]\r\ntimeInv=1\r\nmouseX=" + std::to_wstring(settings.clickPoint.x) +
            L"\r\nmouseY=" + std::to_wstring(settings.clickPoint.y) + L"\r\n";
    return Ansi(text);
}

}  // namespace tc::soak
