// Seven days of scheduling in simulated time: the three scheduling timers tick as a busy Windows
// machine delivers them (mostly just after each second, sometimes seconds late, now and then a
// little early so that one second sees two ticks, two one-hour sleeps, the clock set back once by
// an hour and once by three seconds), against a schedule that uses every feature, while a simulated
// user keeps setting new targets. Prints how many targets fell due, how many acted once, were
// missed or acted twice, how many of those a sleep passed over were told as skipped (once each),
// whether every power command was warned of in the minute before it, and what one tick costs.
// Ends with a one-line verdict and exits with 1 when any target was missed outside a sleep, acted
// twice or acted for a sleep, any target a sleep passed over was not told exactly once, any skipped
// line or action had no target, or any power command came without its warning.
//
//   bench_soak [--days N] [seed]
//
// --days N simulates N days instead of seven; a run shorter than seven days has its sleeps and
// clock changes on its last day, so one day (as tools/test runs it) still goes through each.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/planned.h"
#include "support/scheduler_rig.h"

namespace tc {
namespace {

constexpr std::int64_t kMsPerDay = 86400000;

// One moment a target fell due, and what became of it.
struct Due {
    std::int64_t second = 0;
    int fired = 0;
    int told = 0;        // lines telling it was skipped
    bool inGap = false;  // inside a gap between ticks that is not caught up (sleep)
};

struct Category {
    const char* name;
    TimerId timer;
    std::vector<Due> due;
    std::vector<std::int64_t> firedAtMs;
    std::vector<std::int64_t> toldSeconds;  // planned moments of its skipped-moment lines
};

class Soak {
public:
    Soak(std::uint64_t seed, int days) : random_(seed), days_(days) {
        rig_.clock.Set(2023, 3, 1);
        // Two processes that are always running, whatever is ended: each end is one action, and
        // the process is there again at once.
        rig_.processes.running = {
            {3, "C:\\Apps\\closeme3.exe"}, {5, "nightly5.exe"}, {9, "other.exe"}};
        rig_.processes.onTerminate = [this](const ProcessEntry& ended) {
            categories_.at(ended.pid == 3 ? "slot3" : "slot5").firedAtMs.push_back(NowMs());
            rig_.processes.running.push_back(ended);
        };
        rig_.notices.onWarn = [this](const std::string&) { warnedAtMs_.push_back(NowMs()); };
        rig_.shell.onOpen = [this](const ShellCall& call) {
            const std::int64_t now = NowMs();
            if (call.file == "shutdown.exe")
                categories_.at("power").firedAtMs.push_back(now);
            else
                categories_.at(std::string("slot") + call.file.back()).firedAtMs.push_back(now);
        };
    }

    // True when the run passed.
    bool Run();

private:
    std::int64_t NowMs() { return ToMilliseconds(FromLocalTime(rig_.clock.Now())); }
    void SetClock(std::int64_t ms) { rig_.clock.AdvanceMs(ms - NowMs()); }
    std::int64_t Uniform(std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(random_);
    }
    // When the next tick comes after a re-arm for `delayMs` at `now`.
    std::int64_t NextTick(std::int64_t now, int delayMs);
    // The start of the run's day `day`, or of its last day when it is shorter.
    std::int64_t OnDay(int day) const;
    bool Asleep(std::int64_t ms) const;
    std::int64_t WakeTime(std::int64_t ms) const;

    void SetUpSchedule();
    void UserActs(std::int64_t now);
    void SetOneTimeSlot(int row, std::int64_t second);
    void Tick(TimerId id);
    void CollectSkippedLines();
    bool Tally();

    std::mt19937_64 random_;
    int days_;
    SchedulerRig rig_;

    std::map<std::string, Category> categories_ = {
        {"slot1", {"slot 1 (one-time, open)", TimerId::Slots, {}, {}, {}}},
        {"slot2", {"slot 2 (one-time, open)", TimerId::Slots, {}, {}, {}}},
        {"slot3", {"slot 3 (one-time, close)", TimerId::Slots, {}, {}, {}}},
        {"slot4", {"slot 4 (daily 03:30:00, open)", TimerId::Slots, {}, {}, {}}},
        {"slot5", {"slot 5 (daily 23:59:59, close)", TimerId::Slots, {}, {}, {}}},
        {"power",
         {"power (countdown 13 min re-armed, daily 12:00:30)", TimerId::Power, {}, {}, {}}},
        {"mouse", {"mouse start moment", TimerId::Mouse, {}, {}, {}}},
    };
    std::int64_t startMs_ = 0, endMs_ = 0;
    std::vector<std::pair<std::int64_t, std::int64_t>> sleeps_;  // [from, to) in ms
    std::map<TimerId, std::int64_t> nextTick_;
    std::map<TimerId, std::vector<std::int64_t>> tickSeconds_;
    std::int64_t slotTargets_[4] = {};  // rows 1-3: their current target second
    std::int64_t mouseStart_ = 0;
    std::int64_t nextMouseStartChange_ = 0;
    std::vector<std::int64_t> mouseBurstTicks_;  // tick numbers of every burst
    std::int64_t mouseTicks_ = 0;
    long ticks_ = 0, late_ = 0, veryLate_ = 0, early_ = 0;
    // Clock set back: when (on the clock), by how much (ms).
    std::vector<std::pair<std::int64_t, std::int64_t>> clockSteps_;
    double tickMicros_ = 0;
    std::map<TimerId, long> ticksBy_;
    std::vector<std::int64_t> warnedAtMs_;  // when each power warning came
};

std::int64_t Soak::OnDay(int day) const { return startMs_ + std::min(day, days_ - 1) * kMsPerDay; }

bool Soak::Asleep(std::int64_t ms) const {
    for (const auto& [from, to] : sleeps_)
        if (ms >= from && ms < to) return true;
    return false;
}

std::int64_t Soak::WakeTime(std::int64_t ms) const {
    for (const auto& [from, to] : sleeps_)
        if (ms >= from && ms < to) return to;
    return ms;
}

std::int64_t Soak::NextTick(std::int64_t now, int delayMs) {
    // The re-arm aims at 20 ms after the next second; the system delivers it between 0 and
    // 60 ms after that second, and now and then much later.
    std::int64_t at = now + delayMs + Uniform(-20, 40);
    const std::int64_t draw = Uniform(0, 9999);
    if (draw >= 9950) {
        at = now + delayMs - 20 - Uniform(1, 30);  // early: still in the second of `now`
        ++early_;
    } else if (draw < 10) {
        at += Uniform(5000, 9000);
        ++veryLate_;
    } else if (draw < 110) {
        at += Uniform(500, 3000);
        ++late_;
    }
    if (Asleep(at)) at = WakeTime(at) + Uniform(0, 60);  // timers due in a sleep fire on waking
    return at;
}

void Soak::SetOneTimeSlot(int row, std::int64_t second) {
    const TDateTime moment = FromWholeSeconds(second);
    rig_.form.SetDateTime("FSetDate" + std::to_string(row), DateOf(moment));
    rig_.form.SetDateTime("FSetTime" + std::to_string(row), TimeOf(moment));
    slotTargets_[row] = second;
    categories_.at("slot" + std::to_string(row)).due.push_back({second});
}

void Soak::SetUpSchedule() {
    const std::int64_t day0 = startMs_ / kMsPerDay;
    for (int row = 1; row <= 5; ++row) {
        rig_.form.SetText("Edit" + std::to_string(row), "D:\\Apps\\slot" + std::to_string(row));
        rig_.form.SetChecked("chk" + std::to_string(row), true);
    }
    rig_.form.SetText(RowName(kSlotPathPrefix, 3), "C:\\Apps\\closeme3.exe");
    rig_.form.SetChecked(RowName(kCloseButtonPrefix, 3), true);
    rig_.form.SetText(RowName(kSlotPathPrefix, 5), "D:\\Elsewhere\\NIGHTLY5.EXE");
    rig_.form.SetChecked(RowName(kCloseButtonPrefix, 5), true);
    for (int row : {4, 5}) rig_.form.SetChecked("softchk" + std::to_string(row), true);
    // Daily slots dated last year.
    rig_.form.SetDateTime(RowName(kSlotDatePrefix, 4), EncodeDate(2022, 6, 1));
    rig_.form.SetDateTime(RowName(kSlotTimePrefix, 4), EncodeTime(3, 30, 0, 0));
    rig_.form.SetDateTime(RowName(kSlotDatePrefix, 5), EncodeDate(2022, 6, 1));
    rig_.form.SetDateTime(RowName(kSlotTimePrefix, 5), EncodeTime(23, 59, 59, 0));
    for (int d = 0; d <= days_; ++d) {
        const std::int64_t day = (day0 + d) * 86400;
        for (const auto& [name, secondOfDay] :
             {std::pair<const char*, int>{"slot4", 3 * 3600 + 30 * 60},
              {"slot5", 23 * 3600 + 59 * 60 + 59},
              {"power", 12 * 3600 + 30}}) {
            const std::int64_t s = day + secondOfDay;
            if (s * 1000 > startMs_ + 2000 && s * 1000 < endMs_)
                categories_.at(name).due.push_back({s});
        }
    }
    // Power: a daily set moment (time of day only, so the countdown compares the time of day
    // too), restart, and a countdown of 13 minutes re-armed whenever it has acted.
    rig_.form.SetItemIndex(kPowerCommandCombo, 1);
    rig_.form.SetChecked(kByClockCheck, true);
    rig_.form.SetDateTime(kSetMomentDatePicker, EncodeDate(2020, 1, 1));
    rig_.form.SetDateTime(kSetMomentTimePicker, EncodeTime(12, 0, 30, 0));
    rig_.form.SetChecked(kSetMomentCheck, true);
    rig_.form.SetText(kCountdownMinutesEdit, "13");
    // Mouse: every 7 ticks, plus start moments set now and then.
    rig_.form.SetText(kClickIntervalEdit, "7");
}

void Soak::UserActs(std::int64_t now) {
    const std::int64_t nowSecond = now / 1000;
    // A one-time slot whose moment has gone by gets a new one, between 2 and 90 minutes ahead;
    // now and then slot 2 takes slot 1's moment, so both act in one tick.
    for (int row = 1; row <= 3; ++row) {
        if (nowSecond <= slotTargets_[row] + 15) continue;
        std::int64_t second = nowSecond + Uniform(120, 5400);
        if (row == 2 && slotTargets_[1] > nowSecond && Uniform(0, 3) == 0) second = slotTargets_[1];
        SetOneTimeSlot(row, second);
    }
    // The countdown is armed again once it has acted or was left behind.
    if (!rig_.scheduler.CountdownArmed() &&
        nowSecond > ToWholeSeconds(rig_.scheduler.CountdownTarget())) {
        rig_.form.SetChecked(kCountdownCheck, false);
        rig_.form.SetChecked(kCountdownCheck, true);
        categories_.at("power").due.push_back({ToWholeSeconds(rig_.scheduler.CountdownTarget())});
    }
    // A new mouse start moment every two to three hours.
    if (now >= nextMouseStartChange_) {
        mouseStart_ = nowSecond + Uniform(60, 3600);
        const TDateTime moment = FromWholeSeconds(mouseStart_);
        rig_.form.SetDateTime(kMouseStartDatePicker, DateOf(moment));
        rig_.form.SetDateTime(kMouseStartTimePicker, TimeOf(moment));
        categories_.at("mouse").due.push_back({mouseStart_});
        nextMouseStartChange_ = now + Uniform(2 * 3600000, 3 * 3600000);
    }
}

void Soak::Tick(TimerId id) {
    const std::int64_t now = NowMs();
    const int burstsBefore = rig_.input.Bursts();
    const auto begin = std::chrono::steady_clock::now();
    switch (id) {
    case TimerId::Slots:
        rig_.scheduler.SlotTick();
        break;
    case TimerId::Power:
        rig_.scheduler.PowerTick();
        break;
    case TimerId::Mouse:
        rig_.scheduler.MouseTick();
        break;
    }
    tickMicros_ +=
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count();
    ++ticks_;
    ++ticksBy_[id];
    tickSeconds_[id].push_back(now / 1000);
    if (id == TimerId::Mouse) {
        ++mouseTicks_;
        // With an interval of 7, a tick that clicked for the start moment ends with the count
        // at 1; a tick that clicked for the interval ends with it at 0.
        for (int b = burstsBefore; b < rig_.input.Bursts(); ++b) {
            mouseBurstTicks_.push_back(mouseTicks_);
            if (rig_.scheduler.ClickTickCount() == 1)
                categories_.at("mouse").firedAtMs.push_back(now);
        }
    }
    nextTick_[id] = NextTick(now, *rig_.timers.LastDelay(id));
}

bool Soak::Run() {
    startMs_ = NowMs();
    endMs_ = startMs_ + days_ * kMsPerDay;
    // Two one-hour sleeps: one over a daily slot's moment, one across a second boundary.
    sleeps_ = {{OnDay(1) + 3 * 3600000 + 500, OnDay(1) + 4 * 3600000 + 500},
               {OnDay(4) + 13 * 3600000 + 59 * 60000 + 58000,
                OnDay(4) + 14 * 3600000 + 59 * 60000 + 58000}};
    // The clock set back by an hour on day 3 just after the daily 12:00:30 command (the hour
    // comes round again), and by three seconds on day 6. In a one-day run the three seconds come
    // first.
    clockSteps_ = {{OnDay(2) + 12 * 3600000 + 10 * 60000 + 123, 3600000},
                   {OnDay(5) + 8 * 3600000 + 777, 3000}};
    std::sort(clockSteps_.begin(), clockSteps_.end());
    SetUpSchedule();
    SetClock(startMs_ + 300);
    rig_.scheduler.StartScheduling();
    rig_.form.SetChecked(kCountdownCheck, true);
    categories_.at("power").due.push_back({ToWholeSeconds(rig_.scheduler.CountdownTarget())});
    rig_.form.SetChecked(kMouseOnCheck, true);
    for (TimerId id : {TimerId::Slots, TimerId::Power, TimerId::Mouse})
        nextTick_[id] = NextTick(NowMs(), *rig_.timers.LastDelay(id));

    std::int64_t nextUserAction = NowMs();
    for (;;) {
        TimerId id = TimerId::Slots;
        for (TimerId t : {TimerId::Power, TimerId::Mouse})
            if (nextTick_[t] < nextTick_[id]) id = t;
        const std::int64_t at = nextTick_[id];
        // The timers go on for the catch-up window after the end, so that a target due in the
        // last seconds is not counted as missed for want of a tick; the user sets nothing new.
        if (at >= endMs_ + (kCatchUpSeconds + 1) * 1000) break;
        if (!clockSteps_.empty() && at >= clockSteps_.front().first) {
            // Real time goes on: the timers fire after the same delays, the clock reads earlier.
            const std::int64_t back = clockSteps_.front().second;
            SetClock(clockSteps_.front().first - back);
            for (auto& [timer, next] : nextTick_) next -= back;
            nextUserAction -= back;
            clockSteps_.erase(clockSteps_.begin());
            continue;
        }
        if (at >= nextUserAction && nextUserAction < endMs_) {
            SetClock(std::max(nextUserAction, NowMs()));
            if (!Asleep(NowMs())) UserActs(NowMs());
            nextUserAction += 10000;
            continue;
        }
        SetClock(at);
        Tick(id);
    }
    CollectSkippedLines();
    return Tally();
}

void Soak::CollectSkippedLines() {
    // "已跳过-<what>-计划时间-<moment>": what names the target, the moment is its planned one.
    const std::string marker = "-计划时间-";
    for (const std::string& line : rig_.form.ActivityLines()) {
        if (line.rfind("已跳过-", 0) != 0) continue;
        const std::size_t at = line.find(marker);
        const std::string what = line.substr(0, at);
        const std::int64_t second =
            ToWholeSeconds(rig_.moments.Forms().ParseDateTime(line.substr(at + marker.size())));
        std::string key = "power";
        if (what.find("鼠标单击") != std::string::npos) key = "mouse";
        if (what.find("closeme3") != std::string::npos) key = "slot3";
        if (what.find("NIGHTLY5") != std::string::npos) key = "slot5";
        for (const char* slot : {"slot1", "slot2", "slot4"})
            if (what.find(std::string("\\") + slot) != std::string::npos) key = slot;
        categories_.at(key).toldSeconds.push_back(second);
    }
}

bool Soak::Tally() {
    long due = 0, fired = 0, missed = 0, doubled = 0, inGap = 0, firedInGap = 0, stray = 0;
    long toldOnce = 0, toldTwice = 0, toldOutsideGap = 0;
    std::printf("simulated: %d %s from 2023-03-01, %ld ticks (slots %ld, power %ld, mouse %ld)\n",
                days_, days_ == 1 ? "day" : "days", ticks_, ticksBy_[TimerId::Slots],
                ticksBy_[TimerId::Power], ticksBy_[TimerId::Mouse]);
    std::printf(
        "lateness: %ld ticks 0.5-3 s late, %ld ticks 5-9 s late, %ld ticks early (two in "
        "one second), 2 sleeps of one hour, clock set back 1 h and 3 s\n",
        late_, veryLate_, early_);
    std::printf("\n%-52s %6s %6s %6s %7s %8s %9s %11s\n", "target", "due", "fired", "missed",
                "doubled", "in sleep", "fired in sleep", "told once");
    for (auto& [key, c] : categories_) {
        // Gaps that the timer of this target did not catch up: sleeps.
        const std::vector<std::int64_t>& seconds = tickSeconds_[c.timer];
        std::vector<std::pair<std::int64_t, std::int64_t>> gaps;
        for (std::size_t i = 1; i < seconds.size(); ++i)
            if (seconds[i] - seconds[i - 1] > kCatchUpSeconds)
                gaps.push_back({seconds[i - 1], seconds[i]});
        std::sort(c.due.begin(), c.due.end(),
                  [](const Due& a, const Due& b) { return a.second < b.second; });
        // Targets set again to the same second (slot 2 on slot 1's moment is another slot) count
        // once.
        c.due.erase(std::unique(c.due.begin(), c.due.end(),
                                [](const Due& a, const Due& b) { return a.second == b.second; }),
                    c.due.end());
        for (Due& d : c.due)
            for (const auto& [from, to] : gaps)
                if (d.second > from && d.second < to) d.inGap = true;
        // Each action belongs to the latest target at or before it, within the catch-up window.
        for (const std::int64_t ms : c.firedAtMs) {
            const std::int64_t s = ms / 1000;
            Due* owner = nullptr;
            for (Due& d : c.due)
                if (d.second <= s && s - d.second <= kCatchUpSeconds) owner = &d;
            if (owner)
                ++owner->fired;
            else
                ++stray;
        }
        for (const std::int64_t s : c.toldSeconds) {
            Due* owner = nullptr;
            for (Due& d : c.due)
                if (d.second == s) owner = &d;
            if (owner && owner->inGap)
                ++owner->told;
            else
                ++toldOutsideGap;
        }
        long cDue = 0, cFired = 0, cMissed = 0, cDoubled = 0, cGap = 0, cFiredGap = 0, cTold = 0;
        for (const Due& d : c.due) {
            if (d.second * 1000 >= endMs_) continue;  // set for after the end of the run
            ++cDue;
            cFired += d.fired > 0;
            cDoubled += d.fired > 1 ? d.fired - 1 : 0;
            if (d.inGap) {
                ++cGap;
                cFiredGap += d.fired > 0;
                cTold += d.told == 1;
                toldTwice += d.told > 1;
            } else {
                cMissed += d.fired == 0;
            }
        }
        std::printf("%-52s %6ld %6ld %6ld %7ld %8ld %9ld %11ld\n", c.name, cDue, cFired, cMissed,
                    cDoubled, cGap, cFiredGap, cTold);
        due += cDue, fired += cFired, missed += cMissed, doubled += cDoubled;
        inGap += cGap, firedInGap += cFiredGap, toldOnce += cTold;
    }
    std::printf("%-52s %6ld %6ld %6ld %7ld %8ld %9ld %11ld\n", "all", due, fired, missed, doubled,
                inGap, firedInGap, toldOnce);
    std::printf(
        "\ntargets due %ld, fired %ld, missed outside sleeps %ld, doubled %ld, "
        "fired for a sleep gap %ld, actions with no target %ld\n",
        due, fired, missed, doubled, firedInGap, stray);
    std::printf(
        "skipped moments: %ld of %ld targets in a sleep told exactly once, %ld told more than "
        "once, %ld lines for a target outside a sleep\n",
        toldOnce, inGap, toldTwice, toldOutsideGap);
    // Every power command should have had its warning in the minute before its moment (a late
    // tick runs it up to the catch-up window after that moment).
    long warned = 0;
    const std::vector<std::int64_t>& commands = categories_.at("power").firedAtMs;
    for (const std::int64_t ms : commands) {
        bool found = false;
        for (const std::int64_t w : warnedAtMs_)
            found =
                found || (w <= ms && ms - w <= (kPowerWarningSeconds + kCatchUpSeconds + 1) * 1000);
        warned += found;
    }
    std::printf("power warnings: %zu given, %ld of %zu commands warned of in the minute before\n",
                warnedAtMs_.size(), warned, commands.size());

    long longest = 0, shortest = 1 << 30;
    for (std::size_t i = 1; i < mouseBurstTicks_.size(); ++i) {
        const long gap = static_cast<long>(mouseBurstTicks_[i] - mouseBurstTicks_[i - 1]);
        longest = std::max(longest, gap);
        shortest = std::min(shortest, gap);
    }
    std::printf("mouse: %zu bursts in %lld ticks, ticks between bursts %ld to %ld (interval 7)\n",
                mouseBurstTicks_.size(), static_cast<long long>(mouseTicks_), shortest, longest);
    std::printf("one tick costs %.2f us on average (%ld ticks, %.2f s)\n", tickMicros_ / ticks_,
                ticks_, tickMicros_ / 1e6);

    const bool passed = due > 0 && missed == 0 && doubled == 0 && firedInGap == 0 && stray == 0 &&
                        toldOnce == inGap && toldTwice == 0 && toldOutsideGap == 0 &&
                        warned == static_cast<long>(commands.size());
    std::printf("\nSoak: %d %s, %ld due, %ld missed, %ld doubled, %ld fired in a sleep, ", days_,
                days_ == 1 ? "day" : "days", due, missed, doubled, firedInGap);
    std::printf("%ld with no target, %ld of %ld skipped told once, ", stray, toldOnce, inGap);
    std::printf("%ld of %zu power commands warned of: %s\n", warned, commands.size(),
                passed ? "passed" : "FAILED");
    return passed;
}

}  // namespace
}  // namespace tc

namespace {

// A whole decimal number and nothing else.
bool ReadNumber(const char* text, std::uint64_t& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return *text >= '0' && *text <= '9' && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 20230301;
    std::uint64_t days = 7;
    bool ok = true;
    for (int i = 1; i < argc && ok; ++i) {
        if (std::string(argv[i]) == "--days")
            ok = i + 1 < argc && ReadNumber(argv[++i], days) && days >= 1 && days <= 365;
        else
            ok = ReadNumber(argv[i], seed);
    }
    if (!ok) {
        std::fprintf(stderr, "usage: bench_soak [--days N (1 to 365)] [seed]\n");
        return 2;
    }
    std::printf("seed %llu\n", static_cast<unsigned long long>(seed));
    tc::Soak soak(seed, static_cast<int>(days));
    return soak.Run() ? 0 : 1;
}
