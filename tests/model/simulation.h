#pragma once
// A randomized simulation that drives the real scheduler (the in-memory window, the fake ports,
// the timer schedule the window wakes through) and the reference model side by side, step by
// step, and compares everything the program did with what the model says after each step. A
// difference is shrunk to the shortest list of steps that still shows it; a saved list replays.
#include <cstdint>
#include <string>
#include <vector>

namespace tc::sim {

// One thing that happens to the program. Moments are relative to the clock at that step, so a
// list still means the same after steps before it are taken out.
struct Step {
    enum class Kind {
        Wake,     // the system timer fires `a` ms after it is set to (negative: early);
                  // `b` > 0: the first file opened in it shows a modal box for `b` ms
        Check,    // `name` ticked (a = 1) or not, `b` ms after the previous step
        Text,     // `name` set to `text`
        Index,    // the drop-down set to item `a`
        Moment,   // row or group `name` set to now + `a` s (`b`: the milliseconds it shows); with
                  // `text`, to `a` s after the moment of that row or group instead
        Start,
        Stop,
        Hide,
        Show,
        Sleep,     // the computer sleeps for `a` ms
        SetClock,  // the clock is set by `a` ms
        Locale,    // the regional settings become set `a`
        ClockTo,   // the clock is set to `a` ms after the moment of row or group `name`
        SleepAt,   // ticks come on time until `a` s before the moment of `name`, then the
                   // computer sleeps for `b` ms
    };
    Kind kind = Kind::Wake;
    std::string name;
    std::int64_t a = 0;
    std::int64_t b = 0;
    std::string text;
};

std::string ToText(const Step& step);
Step StepFromText(const std::string& line);
std::string ToText(const std::vector<Step>& steps);
std::vector<Step> StepsFromText(const std::string& text);

// Steps for about `seconds` of simulated running from `seed`.
std::vector<Step> Generate(std::uint64_t seed, std::int64_t seconds);

struct Outcome {
    bool same = true;
    std::size_t failedAt = 0;  // the step after which the first difference showed
    std::string difference;
    std::size_t steps = 0;     // steps run
    double days = 0;           // simulated time
};

// Runs the steps on the program and the model; stops at the first difference.
Outcome Run(const std::vector<Step>& steps);

// The shortest list of steps found that still shows a difference (`steps` must show one).
std::vector<Step> Shrink(std::vector<Step> steps);

}  // namespace tc::sim
