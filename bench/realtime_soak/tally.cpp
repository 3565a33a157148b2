#include "tally.h"

#include <algorithm>
#include <cwchar>
#include <map>
#include <set>

namespace tc::soak {

Tally TallyBursts(const std::vector<std::int64_t>& downsMs, std::int64_t firstSecond,
                  std::int64_t lastSecond, int perBurst) {
    std::map<std::int64_t, std::vector<std::int64_t>> bySecond;
    for (const std::int64_t ms : downsMs) {
        const std::int64_t second = ms / 1000;
        if (second >= firstSecond && second <= lastSecond) bySecond[second].push_back(ms);
    }
    Tally tally;
    for (std::int64_t second = firstSecond; second <= lastSecond; ++second) {
        ++tally.due;
        const auto found = bySecond.find(second);
        const long downs = found == bySecond.end() ? 0 : static_cast<long>(found->second.size());
        if (downs == 0) {
            ++tally.missed;
            continue;
        }
        ++tally.done;
        tally.doubled += std::max(0L, downs / perBurst - 1);
        tally.partial += downs % perBurst != 0;
        tally.delaysMs.push_back(found->second.front() - second * 1000);
    }
    return tally;
}

Tally TallyStarts(const std::vector<std::int64_t>& dueMs, const std::vector<std::int64_t>& startsMs,
                  std::int64_t windowMs, std::int64_t fromMs, std::int64_t toMs) {
    Tally tally;
    std::set<std::size_t> claimed;
    for (const std::int64_t due : dueMs) {
        ++tally.due;
        long starts = 0;
        std::int64_t first = 0;
        for (std::size_t i = 0; i < startsMs.size(); ++i) {
            if (startsMs[i] < due || startsMs[i] >= due + windowMs) continue;
            if (starts++ == 0) first = startsMs[i];
            claimed.insert(i);
        }
        if (starts == 0) {
            ++tally.missed;
            continue;
        }
        ++tally.done;
        tally.doubled += starts - 1;
        tally.delaysMs.push_back(first - due);
    }
    for (std::size_t i = 0; i < startsMs.size(); ++i)
        tally.stray += !claimed.count(i) && startsMs[i] >= fromMs && startsMs[i] <= toMs;
    return tally;
}

std::vector<int> LineSecondsOfDay(const std::wstring& activity, const std::wstring& prefix) {
    std::vector<int> seconds;
    std::size_t start = 0;
    while (start < activity.size()) {
        std::size_t end = activity.find(L'\n', start);
        if (end == std::wstring::npos) end = activity.size();
        std::wstring line = activity.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        if (line.compare(0, prefix.size(), prefix) != 0) continue;
        // The time is the last blank-separated part: hours, minutes and seconds.
        const std::size_t blank = line.rfind(L' ');
        int h = 0, m = 0, s = 0;
        if (blank == std::wstring::npos ||
            swscanf(line.c_str() + blank + 1, L"%d:%d:%d", &h, &m, &s) != 3)
            continue;
        seconds.push_back(h * 3600 + m * 60 + s);
    }
    return seconds;
}

long SecondsWithLines(const std::vector<int>& lineSeconds, const std::vector<int>& dueSeconds) {
    const std::set<int> logged(lineSeconds.begin(), lineSeconds.end());
    long count = 0;
    for (const int second : dueSeconds) count += logged.count(second) > 0;
    return count;
}

std::int64_t Median(std::vector<std::int64_t> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::int64_t Largest(const std::vector<std::int64_t>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

}  // namespace tc::soak
