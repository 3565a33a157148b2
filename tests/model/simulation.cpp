#include "model/simulation.h"

#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/controls.h"
#include "core/repeating_timer.h"
#include "core/scheduler.h"
#include "core/scheduler_bindings.h"
#include "core/timer_schedule.h"
#include "support/fakes/fake_clock.h"
#include "support/fakes/fake_code_page.h"
#include "support/fakes/fake_files.h"
#include "support/fakes/fake_locale.h"
#include "support/fakes/fake_power_actions.h"
#include "support/fakes/fake_shell.h"
#include "support/fakes/fake_tray_notices.h"
#include "support/fakes/memory_control_values.h"
#include "model/reference_model.h"
#include "support/parse_checks.h"

namespace tc::sim {
namespace {

constexpr std::int64_t kMsPerDay = 86400000;
const Point kHome{400, 300};  // where the user's cursor rests

// The window's values, out of sight or not: while hidden only the program can change them, so
// they carry a version; shown, the user can change any of them at any moment.
class SimValues : public ControlValues {
public:
    MemoryControlValues inner;
    bool shown = true;

    std::string Text(std::string_view n) const override { return inner.Text(n); }
    void SetText(std::string_view n, const std::string& t) override { inner.SetText(n, t); }
    bool Checked(std::string_view n) const override { return inner.Checked(n); }
    void SetChecked(std::string_view n, bool c) override { inner.SetChecked(n, c); }
    bool Enabled(std::string_view n) const override { return inner.Enabled(n); }
    void SetEnabled(std::string_view n, bool e) override { inner.SetEnabled(n, e); }
    bool Visible(std::string_view n) const override { return inner.Visible(n); }
    void SetVisible(std::string_view n, bool v) override { inner.SetVisible(n, v); }
    int ItemIndex(std::string_view n) const override { return inner.ItemIndex(n); }
    void SetItemIndex(std::string_view n, int i) override { inner.SetItemIndex(n, i); }
    TDateTime DateTime(std::string_view n) const override { return inner.DateTime(n); }
    void SetDateTime(std::string_view n, TDateTime v) override { inner.SetDateTime(n, v); }
    void AppendActivityLine(const std::string& line) override { inner.AppendActivityLine(line); }
    void ClearActivity() override { inner.ClearActivity(); }
    std::optional<std::uint64_t> Version() const override {
        if (shown) return std::nullopt;
        return inner.Version();
    }
};

// A few processes that always run, whatever is ended: each end is recorded.
class SimProcesses : public Processes {
public:
    static std::vector<ProcessEntry> List() {
        return {{3, "C:\\Apps\\closeme.exe"}, {5, "NIGHTLY.EXE"}, {9, "other.exe"}};
    }
    std::vector<std::uint32_t> terminated;
    std::vector<ProcessEntry> Snapshot() override { return List(); }
    bool Terminate(std::uint32_t pid) override {
        terminated.push_back(pid);
        return true;
    }
};

// The cursor rests at kHome; each move away from it starts a burst.
class SimInput : public Input {
public:
    std::vector<Point> bursts;
    int downs = 0;
    int ups = 0;
    Point cursor = kHome;
    Point CursorPos() override { return cursor; }
    void SetCursorPos(Point p) override {
        if (cursor == kHome && !(p == kHome)) bursts.push_back(p);
        cursor = p;
    }
    void LeftDown() override { ++downs; }
    void LeftUp() override { ++ups; }
};

// The command log's messages, in the order they were written.
class SimFiles : public FakeFiles {
public:
    std::vector<std::string> messages;
    bool Append(const std::string& path, std::string_view bytes) override {
        std::string line(bytes);
        const auto blank = line.find(' ');
        if (line.size() >= 2 && line.ends_with("\r\n")) line.resize(line.size() - 2);
        messages.push_back(blank == std::string::npos ? line : line.substr(blank + 1));
        return FakeFiles::Append(path, bytes);
    }
};

// The program and the model, side by side, on one clock.
class World {
public:
    World() {
        WireScheduler(values_.inner, scheduler_);
        shell_.onOpen = [this](const ShellCall& call) {
            if (call.file != "shutdown.exe") BoxInProgram();
        };
        values_.inner.SetText(std::string(kClickXEdit), "120");
        values_.inner.SetText(std::string(kClickYEdit), "80");
        const TDateTime now = Wall();
        for (int row = 1; row <= 5; ++row) {
            values_.inner.SetDateTime(RowName(kSlotDatePrefix, row), now);
            values_.inner.SetDateTime(RowName(kSlotTimePrefix, row), now);
        }
        for (std::string_view n : {kSetMomentDatePicker, kSetMomentTimePicker,
                                   kMouseStartDatePicker, kMouseStartTimePicker})
            values_.inner.SetDateTime(n, now);
        model_ = std::make_unique<model::ReferenceModel>(model::ModelWorld{
            &values_, [this] { return Wall(); }, [this] { return steady_; },
            [this]() -> const LocaleForms& { return moments_.Forms(); }, SimProcesses::List(),
            [this](const std::string&) { BoxInModel(); }});
    }

    // Applies one step to both; false when the step cannot happen now (it is skipped).
    void Apply(const Step& step);
    // The first difference between what the program did and what the model wants, if any.
    std::optional<std::string> Compare();
    double Days() const { return static_cast<double>(steady_ - kStartSteady) / kMsPerDay; }

private:
    static constexpr std::uint64_t kStartSteady = 1000000;

    TDateTime Wall() { return FromLocalTime(clock_.Now()); }
    void Advance(std::int64_t ms) {
        steady_ += static_cast<std::uint64_t>(std::max<std::int64_t>(ms, 0));
        clock_.AdvanceMs(ms);
    }
    void AdvanceTo(std::uint64_t steady) {
        if (steady > steady_) Advance(static_cast<std::int64_t>(steady - steady_));
    }
    void WakeProgram() {
        systemTimer_.Fired(steady_);
        schedule_.Wake(
            [this](TimerId id) {
                try {
                    if (id == TimerId::Slots) scheduler_.SlotTick();
                    if (id == TimerId::Power) scheduler_.PowerTick();
                    if (id == TimerId::Mouse) scheduler_.MouseTick();
                } catch (const std::exception&) {
                    // The window shows it in a box and goes on.
                }
            },
            [this] { scheduler_.RefreshTip(); });
    }
    // A box opened by the shell inside a tick: the timers go on ticking inside its loop.
    void BoxInProgram();
    void BoxInModel();
    void Edit(const Step& step);
    void SetMoment(const std::string& group, TDateTime moment);
    // The moment row or group `name` is set to ("countdown": the countdown's target).
    TDateTime MomentOf(const std::string& group) const;
    void WakeBoth(std::int64_t jitter, std::int64_t boxMs);

    FakeClock clock_{LocalTime{2026, 3, 1, 8, 0, 0, 0}};
    std::uint64_t steady_ = kStartSteady;
    FakeLocale locale_;
    Moments moments_{clock_, locale_};
    SimValues values_;
    FakeShell shell_;
    SimProcesses processes_;
    SimInput input_;
    // The scheduling timers' schedule, and the one system timer it aims as the window does.
    RepeatingTimer systemTimer_;
    TimerSchedule schedule_{[this] { return steady_; },
                            [this] {
                                if (const std::optional<std::uint64_t> due = schedule_.NextDue())
                                    systemTimer_.SetFor(*due, steady_);
                                else
                                    systemTimer_.Kill();
                            }};
    SimFiles files_;
    FakeCodePage codePage_;
    CommandLog commandLog_{clock_, files_, codePage_};
    FakeTrayNotices notices_;
    FakePowerActions powerActions_;
    Scheduler scheduler_{
        values_, moments_,
        {shell_, processes_, input_, schedule_, powerActions_, commandLog_, &notices_}};
    std::unique_ptr<model::ReferenceModel> model_;

    // The box of the wake under way: its length, and the wakes inside it (ms after it opened).
    std::int64_t boxMs_ = 0;
    bool boxUsed_ = false;
    std::vector<std::uint64_t> boxWakes_;
    std::size_t compared_[7] = {0, 0, 0, 0, 0, 0, 0};
};

void World::BoxInProgram() {
    if (boxMs_ <= 0 || boxUsed_) return;
    boxUsed_ = true;
    const std::uint64_t opened = steady_;
    const std::uint64_t closes = opened + static_cast<std::uint64_t>(boxMs_);
    for (;;) {
        const std::optional<std::uint64_t> fires = systemTimer_.NextFiring();
        if (!fires || *fires + 15 > closes) break;
        AdvanceTo(*fires + 15);
        boxWakes_.push_back(steady_ - opened);
        WakeProgram();
    }
    AdvanceTo(closes);
}

void World::BoxInModel() {
    if (boxMs_ <= 0 || boxUsed_) return;
    boxUsed_ = true;
    const std::uint64_t opened = steady_;
    for (const std::uint64_t at : boxWakes_) {
        AdvanceTo(opened + at);
        model_->Wake();
    }
    AdvanceTo(opened + static_cast<std::uint64_t>(boxMs_));
}

// The date picker and the time picker of a row or group.
std::pair<std::string, std::string> Pickers(const std::string& group) {
    if (group == "power")
        return {std::string(kSetMomentDatePicker), std::string(kSetMomentTimePicker)};
    if (group == "mouse")
        return {std::string(kMouseStartDatePicker), std::string(kMouseStartTimePicker)};
    const int row = std::stoi(group);
    return {RowName(kSlotDatePrefix, row), RowName(kSlotTimePrefix, row)};
}

TDateTime World::MomentOf(const std::string& group) const {
    if (group == "countdown") return scheduler_.CountdownTarget();
    const auto [date, time] = Pickers(group);
    return ComposeMoment(values_.DateTime(date), values_.DateTime(time));
}

void World::SetMoment(const std::string& group, TDateTime moment) {
    // The date picker shows another time of day and the time picker another date: only the date
    // of the one and the time of day of the other count.
    const auto [date, time] = Pickers(group);
    values_.SetDateTime(date, DateOf(moment) + 0.3);
    values_.SetDateTime(time, EncodeDate(2019, 4, 15) + TimeOf(moment));
    model_->SomethingChanged();
}

void World::Edit(const Step& step) {
    if (step.kind != Step::Kind::Moment) Advance(step.b);  // the user's pause before it
    const std::string& name = step.name;
    if (step.kind == Step::Kind::Check) {
        const bool on = step.a != 0;
        if (values_.Checked(name) == on) return;
        values_.SetChecked(name, on);
        if (name == kCountdownCheck)
            model_->CountdownBoxChanged();
        else if (name == kMouseOnCheck)
            model_->MouseBoxChanged();
        else
            model_->SomethingChanged();
    } else if (step.kind == Step::Kind::Text) {
        // Edit9 cannot be typed in while the clock runs.
        if (name == kCountdownMinutesEdit && !values_.Enabled(name)) return;
        if (values_.Text(name) == step.text) return;
        try {
            values_.SetText(name, step.text);
        } catch (const std::exception&) {
            // A text that is no number: the window shows the error.
        }
        if (name == kCountdownMinutesEdit)
            model_->CountdownMinutesChanged();
        else
            model_->SomethingChanged();
    } else if (step.kind == Step::Kind::Index) {
        values_.SetItemIndex(name, static_cast<int>(step.a));
        model_->SomethingChanged();
    } else if (!step.text.empty()) {
        SetMoment(name, FromWholeSeconds(ToWholeSeconds(MomentOf(step.text)) + step.a) +
                            static_cast<double>(step.b) / kMsPerDay);
    } else {
        SetMoment(name, FromWholeSeconds(ToWholeSeconds(Wall()) + step.a) +
                            static_cast<double>(step.b) / kMsPerDay);
    }
}

void World::WakeBoth(std::int64_t jitter, std::int64_t boxMs) {
    const std::optional<std::uint64_t> fires = systemTimer_.NextFiring();
    if (!fires) {
        Advance(1000);  // nothing to wake for: time goes by
        return;
    }
    const std::int64_t at = static_cast<std::int64_t>(*fires) + jitter;
    AdvanceTo(static_cast<std::uint64_t>(std::max<std::int64_t>(at, 0)));
    const std::uint64_t steady = steady_;
    const LocalTime wall = clock_.Now();
    boxMs_ = boxMs;
    boxUsed_ = false;
    boxWakes_.clear();
    WakeProgram();
    // The model sees the same wake, from the same moment, with the same wakes inside a box.
    const std::uint64_t after = steady_;
    const LocalTime wallAfter = clock_.Now();
    steady_ = steady;
    clock_.Set(wall);
    boxUsed_ = false;
    model_->Wake();
    steady_ = after;
    clock_.Set(wallAfter);
    boxMs_ = 0;
}

void World::Apply(const Step& step) {
    using K = Step::Kind;
    switch (step.kind) {
    case K::Wake:
        WakeBoth(step.a, step.b);
        return;
    case K::Check:
    case K::Text:
    case K::Index:
    case K::Moment:
        Edit(step);
        return;
    case K::Start:
        if (scheduler_.Running()) return;
        scheduler_.StartScheduling();
        model_->Started();
        return;
    case K::Stop:
        if (!scheduler_.Running()) return;
        scheduler_.StopScheduling();
        model_->Stopped();
        return;
    case K::Hide:
        values_.shown = false;
        return;
    case K::Show:
        values_.shown = true;
        return;
    case K::Sleep:
        Advance(step.a);
        return;
    case K::SetClock:
        clock_.AdvanceMs(step.a);
        return;
    case K::Locale:
        locale_.Set(parse_checks::LocaleOfByte(static_cast<unsigned char>(step.a)));
        moments_.ReloadLocale();
        model_->SomethingChanged();
        return;
    case K::ClockTo:
        clock_.AdvanceMs(ToMilliseconds(MomentOf(step.name)) + step.a - ToMilliseconds(Wall()));
        return;
    case K::SleepAt: {
        // On time until the tick in the chosen second; a target more than a few minutes away
        // is not waited for.
        const std::int64_t last = ToWholeSeconds(MomentOf(step.name)) - step.a;
        for (int i = 0; i < 400; ++i) {
            const std::optional<std::uint64_t> fires = systemTimer_.NextFiring();
            if (!fires) break;
            const std::int64_t wakeMs =
                ToMilliseconds(Wall()) + static_cast<std::int64_t>(*fires) -
                static_cast<std::int64_t>(steady_) + 10;
            if (FloorDiv(wakeMs, 1000) > last) break;
            WakeBoth(10, 0);
        }
        Advance(step.b);
        return;
    }
    }
}

template <typename T, typename Show>
std::optional<std::string> CompareList(const char* what, const std::vector<T>& got,
                                       const std::vector<T>& wanted, std::size_t& compared,
                                       Show show) {
    for (std::size_t i = compared; i < std::max(got.size(), wanted.size()); ++i) {
        if (i < got.size() && i < wanted.size() && got[i] == wanted[i]) continue;
        std::string text = std::string(what) + " #" + std::to_string(i + 1) + ": the program ";
        text += i < got.size() ? show(got[i]) : std::string("has none");
        text += ", the model ";
        text += i < wanted.size() ? show(wanted[i]) : std::string("has none");
        return text;
    }
    compared = got.size();
    return std::nullopt;
}

std::optional<std::string> World::Compare() {
    const model::Expected& w = model_->Wants();
    std::vector<std::pair<std::string, std::string>> shell;
    for (const ShellCall& c : shell_.calls) shell.emplace_back(c.file, c.parameters);
    const auto same = [](std::string s) {
        for (std::size_t at = s.find('\n'); at != std::string::npos; at = s.find('\n', at))
            s.replace(at, 1, "\\n");
        return "\"" + s + "\"";
    };
    if (auto d = CompareList("shell call", shell, w.shell, compared_[0],
                             [](const auto& c) { return c.first + " " + c.second; }))
        return d;
    if (auto d = CompareList("sleep or lock", powerActions_.done, w.powerActions, compared_[6],
                             same))
        return d;
    if (auto d = CompareList("process ended", processes_.terminated, w.terminated, compared_[1],
                             [](std::uint32_t pid) { return std::to_string(pid); }))
        return d;
    if (auto d = CompareList("click burst", input_.bursts, w.bursts, compared_[2], [](Point p) {
            return std::to_string(p.x) + "," + std::to_string(p.y);
        }))
        return d;
    if (input_.downs != 3 * static_cast<int>(input_.bursts.size()) || input_.ups != input_.downs)
        return std::string("click burst: not three clicks each");
    if (auto d = CompareList("activity line", values_.inner.ActivityLines(), w.activity,
                             compared_[3], same))
        return d;
    if (auto d = CompareList("command log", files_.messages, w.commandLog, compared_[4], same))
        return d;
    if (auto d = CompareList("warning", notices_.warnings, w.warnings, compared_[5], same))
        return d;
    if (model_->TipKnown()) {
        const std::string tip = notices_.tips.empty() ? "Tallowcron" : notices_.tips.back();
        if (tip != w.tip) return "tooltip: the program " + same(tip) + ", the model " + same(w.tip);
    }
    return std::nullopt;
}

// Step names in the text form.
const char* KindName(Step::Kind kind) {
    using K = Step::Kind;
    switch (kind) {
    case K::Wake:
        return "wake";
    case K::Check:
        return "check";
    case K::Text:
        return "text";
    case K::Index:
        return "index";
    case K::Moment:
        return "moment";
    case K::Start:
        return "start";
    case K::Stop:
        return "stop";
    case K::Hide:
        return "hide";
    case K::Show:
        return "show";
    case K::Sleep:
        return "sleep";
    case K::SetClock:
        return "clock";
    case K::Locale:
        return "locale";
    case K::ClockTo:
        return "clockto";
    case K::SleepAt:
        return "sleepat";
    }
    return "?";
}

}  // namespace

std::string ToText(const Step& step) {
    std::ostringstream out;
    out << KindName(step.kind) << ' ' << (step.name.empty() ? "-" : step.name) << ' ' << step.a
        << ' ' << step.b;
    if (step.kind == Step::Kind::Text || !step.text.empty()) out << ' ' << '[' << step.text << ']';
    return out.str();
}

Step StepFromText(const std::string& line) {
    std::istringstream in(line);
    std::string kind;
    Step step;
    in >> kind >> step.name >> step.a >> step.b;
    if (!in) throw std::invalid_argument("not a step: " + line);
    if (step.name == "-") step.name.clear();
    for (int k = 0; k <= static_cast<int>(Step::Kind::SleepAt); ++k)
        if (kind == KindName(static_cast<Step::Kind>(k))) step.kind = static_cast<Step::Kind>(k);
    if (kind != KindName(step.kind)) throw std::invalid_argument("not a step: " + line);
    if (step.kind == Step::Kind::Text || line.find('[') != std::string::npos) {
        const auto open = line.find('[');
        const auto close = line.rfind(']');
        if (open == std::string::npos || close == std::string::npos || close < open)
            throw std::invalid_argument("a text step needs [text]: " + line);
        step.text = line.substr(open + 1, close - open - 1);
    }
    return step;
}

std::string ToText(const std::vector<Step>& steps) {
    std::string text;
    for (const Step& s : steps) text += ToText(s) + "\n";
    return text;
}

std::vector<Step> StepsFromText(const std::string& text) {
    std::vector<Step> steps;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        steps.push_back(StepFromText(line.substr(first)));
    }
    return steps;
}

Outcome Run(const std::vector<Step>& steps) {
    World world;
    Outcome outcome;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        world.Apply(steps[i]);
        outcome.steps = i + 1;
        if (std::optional<std::string> d = world.Compare()) {
            outcome.same = false;
            outcome.failedAt = i;
            outcome.difference = *d;
            break;
        }
    }
    outcome.days = world.Days();
    return outcome;
}

std::vector<Step> Shrink(std::vector<Step> steps) {
    Outcome first = Run(steps);
    if (first.same) return steps;
    steps.resize(first.failedAt + 1);
    // Take out ever smaller runs of steps as long as a difference still shows.
    for (std::size_t chunk = std::max<std::size_t>(steps.size() / 2, 1); chunk >= 1; chunk /= 2) {
        bool removed = true;
        while (removed) {
            removed = false;
            for (std::size_t at = 0; at + chunk <= steps.size();) {
                std::vector<Step> fewer(steps.begin(), steps.begin() + static_cast<long>(at));
                fewer.insert(fewer.end(), steps.begin() + static_cast<long>(at + chunk),
                             steps.end());
                const Outcome o = fewer.empty() ? Outcome{} : Run(fewer);
                if (!o.same) {
                    fewer.resize(o.failedAt + 1);
                    steps = std::move(fewer);
                    removed = true;
                } else {
                    at += chunk;
                }
            }
        }
        if (chunk == 1) break;
    }
    return steps;
}

std::vector<Step> Generate(std::uint64_t seed, std::int64_t seconds) {
    std::mt19937_64 random(seed);
    const auto uniform = [&](std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(random);
    };
    const auto chance = [&](double p) { return std::uniform_real_distribution<>(0, 1)(random) < p; };
    const auto pick = [&](const std::vector<std::string>& from) {
        return from[static_cast<std::size_t>(uniform(0, static_cast<std::int64_t>(from.size()) - 1))];
    };
    const std::vector<std::string> paths = {"D:\\a.exe",     "D:\\Tools\\b.bat", "C:\\x\\closeme.exe",
                                            "nightly.exe",   "",                  "E:\\qzvt.exe"};
    const std::vector<std::string> minutes = {"1", "2", "3", "0", "-1", "", "x", "1441", "2000", "10"};
    const std::vector<std::string> intervals = {"1", "2", "3", "5", "7", "0", "-2", "60"};
    const std::vector<std::string> coordinates = {"10", "1080", "654", "5", "-3", "q"};

    std::vector<Step> steps;
    const auto add = [&](Step::Kind kind, std::string name = {}, std::int64_t a = 0,
                         std::int64_t b = 0, std::string text = {}) {
        steps.push_back(Step{kind, std::move(name), a, b, std::move(text)});
    };
    // A moment near now: mostly in the next minutes, now and then a day away or in the past.
    const auto offset = [&] {
        if (chance(0.1)) return uniform(-90000, 90000);
        if (chance(0.15)) return uniform(-30, 0);
        if (chance(0.5)) return uniform(1, 20);
        return uniform(1, 150);
    };
    const std::vector<std::string> groups = {"1", "2", "3", "4", "5", "power", "mouse"};
    const auto edit = [&] {
        const std::int64_t pause = uniform(0, 900);
        const std::int64_t what = uniform(0, 19);
        const std::string row = std::to_string(uniform(1, 5));
        using K = Step::Kind;
        switch (what) {
        case 0:
            return add(K::Moment, row, offset(), uniform(0, 999));
        case 1:
            // Next to another target: the same second, or a second or two away.
            return add(K::Moment, chance(0.7) ? row : pick(groups), uniform(-2, 2),
                       uniform(0, 999), pick(groups));
        case 2:
            return add(K::Check, RowName(kSlotOnPrefix, std::stoi(row)), chance(0.7), pause);
        case 3:
            return add(K::Check, RowName(kSlotDailyPrefix, std::stoi(row)), chance(0.4), pause);
        case 4:
            return add(K::Text, RowName(kSlotPathPrefix, std::stoi(row)), 0, pause, pick(paths));
        case 5:
            return add(K::Check,
                       RowName(chance(0.5) ? kCloseButtonPrefix : kOpenButtonPrefix, std::stoi(row)),
                       1, pause);
        case 6:
            return add(K::Check, std::string(kCountdownCheck), chance(0.6), pause);
        case 7:
            return add(K::Text, std::string(kCountdownMinutesEdit), 0, pause, pick(minutes));
        case 8:
            return add(K::Check, std::string(kByClockCheck), chance(0.5), pause);
        case 9:
            return add(K::Check, std::string(kSetMomentCheck), chance(0.6), pause);
        case 10:
        case 11:
            return add(K::Moment, "power", offset(), uniform(0, 999));
        case 12:
            return add(K::Index, std::string(kPowerCommandCombo), uniform(-1, 6), pause);
        case 13:
            return add(K::Check, std::string(kMouseOnCheck), chance(0.6), pause);
        case 14:
            return add(K::Moment, "mouse", offset(), uniform(0, 999));
        case 15:
            return add(K::Text, std::string(kClickIntervalEdit), 0, pause, pick(intervals));
        case 16:
            return add(K::Text, std::string(chance(0.5) ? kClickXEdit : kClickYEdit), 0, pause,
                       pick(coordinates));
        default:
            return add(K::Moment, row, offset(), uniform(0, 999));
        }
    };

    // A start with something to do.
    for (int i = 0; i < 12; ++i) edit();
    add(Step::Kind::Start);
    std::int64_t elapsed = 0;
    while (elapsed < seconds) {
        const double r = std::uniform_real_distribution<>(0, 1)(random);
        using K = Step::Kind;
        const std::vector<std::string> targets = {"1", "2", "3", "4", "5", "power", "mouse",
                                                  "countdown"};
        if (r < 0.60) {
            const std::int64_t wakes = uniform(1, 15);
            for (std::int64_t i = 0; i < wakes; ++i) {
                std::int64_t jitter = uniform(0, 40);
                if (chance(0.05)) jitter = -uniform(1, 30);
                if (chance(0.04)) jitter = uniform(500, 3000);
                if (chance(0.015)) jitter = uniform(5000, 10500);
                if (chance(0.01)) jitter = uniform(12000, 90000);
                const std::int64_t box = chance(0.03) ? uniform(300, 8000) : 0;
                add(K::Wake, {}, jitter, box);
                elapsed += 1 + jitter / 1000;
            }
        } else if (r < 0.82) {
            edit();
        } else if (r < 0.845) {
            add(K::Start);
        } else if (r < 0.86) {
            // Stop, and often Start again a moment later.
            add(K::Stop);
            if (chance(0.7)) {
                add(K::Wake, {}, uniform(0, 40));
                add(K::Start);
            }
        } else if (r < 0.875) {
            add(K::Hide);
        } else if (r < 0.89) {
            add(K::Show);
        } else if (r < 0.93) {
            // The clock set to just before or after a target.
            add(K::ClockTo, pick(targets), uniform(-15000, 3000));
        } else if (r < 0.95) {
            // The computer asleep from the second before a target, or from its own second.
            add(K::SleepAt, pick(targets), uniform(0, 2), uniform(12000, 600000));
        } else if (r < 0.96) {
            const std::int64_t ms =
                chance(0.2) ? uniform(3600000, 3 * kMsPerDay) : uniform(20000, 3600000);
            add(K::Sleep, {}, ms);
            elapsed += ms / 1000;
        } else if (r < 0.995) {
            std::int64_t ms = chance(0.5) ? uniform(1000, 15000) : uniform(15000, 7200000);
            if (chance(0.1)) ms = kMsPerDay + uniform(-60000, 60000);
            add(K::SetClock, {}, chance(0.5) ? ms : -ms);
        } else {
            add(K::Locale, {}, uniform(0, 4));
        }
    }
    return steps;
}

}  // namespace tc::sim
