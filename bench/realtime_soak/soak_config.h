#pragma once
// The config.ini that the soak starts Tallowcron with: the clock started after loading, the five
// slots as daily slots that open the given programs at the given moments (only the time of day
// counts), the mouse task's interval 1 s and click point, and no power task.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

namespace tc::soak {

struct SoakSettings {
    std::array<std::wstring, 5> slotPaths;
    std::array<std::int64_t, 5> slotMomentsMs;  // milliseconds since 1970 (UTC)
    POINT clickPoint{};
};

// The file's bytes: every key the program stores, in the system code page, lines ended by CR LF.
std::string ConfigText(const SoakSettings& settings);

// "HH:MM:SS" with the user's time separator: a time text the program loads in any time form.
std::wstring TimeText(const SYSTEMTIME& local);

}  // namespace tc::soak
