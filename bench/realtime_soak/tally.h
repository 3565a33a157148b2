#pragma once
// Counting what was due against what was done: click bursts per wall-clock second, helper starts
// per due moment, and the program's own activity lines. Times are milliseconds since 1970 (UTC).
#include <cstdint>
#include <string>
#include <vector>

namespace tc::soak {

struct Tally {
    long due = 0;
    long done = 0;     // due moments that got their action
    long missed = 0;   // due moments that got none
    long doubled = 0;  // actions beyond the first for one due moment
    long partial = 0;  // click bursts with a button-down count that is not a whole burst
    long stray = 0;    // actions inside the measured time that belong to no due moment
    std::vector<std::int64_t> delaysMs;  // per done moment: its first action after the moment
};

// Every whole second from `firstSecond` to `lastSecond` (seconds since 1970) should hold one
// burst of `perBurst` button-downs.
Tally TallyBursts(const std::vector<std::int64_t>& downsMs, std::int64_t firstSecond,
                  std::int64_t lastSecond, int perBurst);

// Each due moment should have one start within `windowMs` after it. Starts from `fromMs` to
// `toMs` that follow no due moment are stray.
Tally TallyStarts(const std::vector<std::int64_t>& dueMs, const std::vector<std::int64_t>& startsMs,
                  std::int64_t windowMs, std::int64_t fromMs, std::int64_t toMs);

// The seconds of the day of the activity lines that begin with `prefix`, read from the time at
// the end of each line ("...-执行时间-" + date + " " + H:mm:ss). Lines are ended by CR LF.
std::vector<int> LineSecondsOfDay(const std::wstring& activity, const std::wstring& prefix);

// How many of the given seconds of the day have at least one line.
long SecondsWithLines(const std::vector<int>& lineSeconds, const std::vector<int>& dueSeconds);

// The median and the largest of a list of numbers (0 for an empty list).
std::int64_t Median(std::vector<std::int64_t> values);
std::int64_t Largest(const std::vector<std::int64_t>& values);

}  // namespace tc::soak
