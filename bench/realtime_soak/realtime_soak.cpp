// A real-time soak of the real Tallowcron.exe. The program runs from a folder of its own with a
// config.ini that starts its clock after loading; its mouse task clicks every second on a
// top-most window of this process that notes each button event; its five slots are daily slots
// ("按时钟执行") that open a small helper (soak_marker) at times of day 10 seconds apart, and
// right after a slot has fired its time of day is moved on by 50 seconds in its picker, as a user
// would edit it, so that some slot opens a helper every 10 seconds for the whole run; the two
// status-bar timers run as always. Prints the program's handles, GDI and USER objects and memory
// at the start, every minute and at the end, and for the clicks and the helper starts how many
// were due and how many were done.
//
//   bench_realtime_soak <folder> <seconds>
//
// <folder> (a Windows path) holds Tallowcron.exe and soak_marker.exe. The mouse task's check box
// is not stored in config.ini: the soak prints "asking for a click on CheckBox1 at X Y" and waits
// for whoever runs it (bench/realtime_soak.sh) to click there with real input, as a user ticks it.
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "click_counter.h"
#include "core/controls.h"
#include "local_time.h"
#include "process_figures.h"
#include "remote_form.h"
#include "soak_config.h"
#include "support/win32/test_folders.h"
#include "support/win32/top_level_windows.h"
#include "support/win32/wine.h"
#include "tally.h"

namespace tc::soak {
namespace {

constexpr RECT kClickTargetPlace{1140, 120, 1260, 240};  // right of the centred main window
constexpr int kSlots = 5;
constexpr std::int64_t kSlotSpacingMs = 10000;
constexpr std::int64_t kFirstSlotDelayMs = 20000;  // room for the program to start and load
constexpr std::int64_t kMoveOnAfterMs = 3000;      // a slot's time is moved on this long after
constexpr std::int64_t kSampleEveryMs = 60000;
constexpr std::int64_t kWaitForWindowMs = 60000;
constexpr std::int64_t kWaitForTickMs = 60000;
constexpr std::int64_t kSettleMs = 3000;
constexpr std::int64_t kQuietInSecondMs = 500;  // the timers tick just after each second
constexpr int kClicksPerBurst = 3;

void Print(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

// Handles this thread's window messages (the click counter's) until `done` holds or the clock
// reaches `untilMs`. True when `done` held.
template <typename Done>
bool PumpUntil(std::int64_t untilMs, Done done) {
    MSG msg;
    for (;;) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        const std::int64_t now = EpochMs();
        if (now >= untilMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                  static_cast<DWORD>(std::min<std::int64_t>(untilMs - now, 20)),
                                  QS_ALLINPUT);
    }
}

void PumpUntil(std::int64_t untilMs) {
    PumpUntil(untilMs, [] { return false; });
}

std::vector<std::int64_t> ReadNumbers(const std::wstring& path) {
    std::vector<std::int64_t> numbers;
    std::ifstream in{std::filesystem::path(path)};
    long long value = 0;
    while (in >> value) numbers.push_back(value);
    return numbers;
}

// What this runs on: "Wine 8.0" or "Windows".
std::string SystemName() {
    const char* wine = test::WineVersion();
    return wine ? std::string("Wine ") + wine : std::string("Windows");
}

// The message boxes the program shows, each as its message text.
std::vector<std::string> ErrorBoxesOf(DWORD pid) {
    std::vector<std::string> texts;
    for (const HWND box : test::TopLevelWindowsOf(pid, L"#32770", true)) {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        texts.push_back(Utf8(text));
    }
    return texts;
}

struct Sample {
    std::int64_t atMs;
    ProcessFigures figures;
};

class RealtimeSoak {
public:
    RealtimeSoak(std::wstring folder, int seconds)
        : folder_(std::move(folder)), seconds_(seconds) {}
    ~RealtimeSoak() { EndProgram(); }

    int Run();

private:
    std::wstring PathOf(const std::wstring& name) const { return folder_ + L"\\" + name; }
    bool Prepare();
    bool StartProgram();
    bool TickMouseBox();
    void Soak();
    void TakeSample();
    std::string StatusNow() const;
    void MoveSlotsOn();
    void EndProgram();
    void Report();

    std::wstring folder_;
    int seconds_;
    std::unique_ptr<ClickCounter> clicks_;
    PROCESS_INFORMATION process_{};  // its process handle is closed by EndProgram
    std::unique_ptr<RemoteForm> form_;

    std::vector<std::int64_t> slotDueMs_;  // moment j belongs to slot j % 5 + 1
    std::size_t nextToMoveOn_ = 0;
    long moveOnFailures_ = 0;
    std::int64_t launchMs_ = 0, shownMs_ = 0, tickedMs_ = 0;
    std::int64_t readyMs_ = 0;  // actions are counted from here to the end
    std::int64_t startMs_ = 0;  // figures are compared from here (after the warm-up) to the end
    std::int64_t endMs_ = 0;
    std::vector<Sample> samples_;
    std::size_t startSample_ = 0;
    FigureSources sources_;
    std::string statusAtStart_, statusAtEnd_;
    bool stillTicked_ = false;
    std::wstring activity_;
    std::vector<std::string> errorBoxes_;
};

bool RealtimeSoak::Prepare() {
    clicks_ = std::make_unique<ClickCounter>(GetModuleHandleW(nullptr), kClickTargetPlace);
    if (!clicks_->Shown()) {
        Print("the click-counting window could not be created\n");
        return false;
    }
    SoakSettings settings;
    settings.clickPoint = clicks_->Centre();
    const std::int64_t first = (EpochMs() / 1000) * 1000 + kFirstSlotDelayMs;
    for (int row = 1; row <= kSlots; ++row) {
        const std::wstring copy = PathOf(L"slot" + std::to_wstring(row) + L".exe");
        if (!CopyFileW(PathOf(L"soak_marker.exe").c_str(), copy.c_str(), FALSE)) {
            Print("soak_marker.exe could not be copied into the folder\n");
            return false;
        }
        settings.slotPaths[row - 1] = copy;
        settings.slotMomentsMs[row - 1] = first + (row - 1) * kSlotSpacingMs;
    }
    for (std::int64_t at = first; at <= first + (seconds_ + 120) * 1000LL; at += kSlotSpacingMs)
        slotDueMs_.push_back(at);
    if (!test::WriteFileBytes(PathOf(L"config.ini"), ConfigText(settings))) {
        Print("config.ini could not be written\n");
        return false;
    }
    return true;
}

bool RealtimeSoak::StartProgram() {
    std::wstring commandLine = L"\"" + PathOf(L"Tallowcron.exe") + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    launchMs_ = EpochMs();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &process_)) {
        Print("Tallowcron.exe could not be started (error %lu)\n", GetLastError());
        return false;
    }
    CloseHandle(process_.hThread);
    process_.hThread = nullptr;
    form_ = std::make_unique<RemoteForm>(process_.hProcess, process_.dwProcessId);
    if (!PumpUntil(EpochMs() + kWaitForWindowMs, [this] { return form_->FindWindowShown(); })) {
        Print("the main window did not appear\n");
        return false;
    }
    shownMs_ = EpochMs();
    PumpUntil(shownMs_ + 1000);
    errorBoxes_ = ErrorBoxesOf(process_.dwProcessId);
    if (!errorBoxes_.empty()) {
        Print("the program shows a message after loading: %s\n", errorBoxes_.front().c_str());
        return false;
    }
    return true;
}

bool RealtimeSoak::TickMouseBox() {
    const auto point = form_->ScreenCentre(kMouseOnCheck);
    if (!point) {
        Print("CheckBox1 was not found\n");
        return false;
    }
    // Asked for early in a second, so that the click comes well before the next tick of the
    // mouse timer. The pointer is then left on the click point: under Wine the first cursor move
    // of a process can be overtaken by the desktop's own pointer position, and a button event of
    // the first burst could otherwise land where the pointer was, on the box itself.
    const std::int64_t now = EpochMs();
    PumpUntil(now - now % 1000 + 1200);
    const POINT park = clicks_->Centre();
    Print("asking for a click on CheckBox1 at %ld %ld, then the pointer at %ld %ld\n", point->x,
          point->y, park.x, park.y);
    if (!PumpUntil(EpochMs() + kWaitForTickMs, [this] { return form_->Checked(kMouseOnCheck); })) {
        Print("CheckBox1 was not ticked\n");
        return false;
    }
    tickedMs_ = EpochMs();
    return true;
}

// The moments halfway between two slot moments, in the middle of a second, are the quiet ones:
// no helper is starting, no picker is being changed and no timer is ticking. The run starts and
// ends on such moments, and samples are taken there.
void RealtimeSoak::Soak() {
    const std::int64_t quietPhase =
        (slotDueMs_.front() + kSlotSpacingMs / 2 + kQuietInSecondMs) % kSlotSpacingMs;
    const auto nextQuiet = [&](std::int64_t from) {
        const std::int64_t offset =
            ((quietPhase - from) % kSlotSpacingMs + kSlotSpacingMs) % kSlotSpacingMs;
        return from + offset;
    };
    readyMs_ = nextQuiet(tickedMs_ + kSettleMs);
    // The first helper start and the first activity lines load what the program then keeps for
    // the rest of its run (fonts for the Chinese text, the shell's pictures): the figures are
    // compared from the first quiet moment after the first slot has fired.
    startMs_ = nextQuiet(std::max(readyMs_ + 1, slotDueMs_.front() + kSlotSpacingMs / 2));
    endMs_ = nextQuiet(startMs_ + seconds_ * 1000LL);
    std::vector<std::int64_t> sampleAt = {readyMs_};
    for (std::int64_t at = startMs_; at < endMs_; at += kSampleEveryMs) sampleAt.push_back(at);
    sampleAt.push_back(endMs_);
    startSample_ = 1;

    for (const std::int64_t at : sampleAt) {
        while (EpochMs() < at) {
            MoveSlotsOn();
            const std::int64_t nextMove =
                nextToMoveOn_ < slotDueMs_.size() ? slotDueMs_[nextToMoveOn_] + kMoveOnAfterMs : at;
            PumpUntil(std::min(nextMove, at));
        }
        TakeSample();
        if (at == startMs_) statusAtStart_ = StatusNow();
    }
    statusAtEnd_ = StatusNow();
    stillTicked_ = form_->Checked(kMouseOnCheck);
    activity_ = form_->Text(kActivityMemo);
    errorBoxes_ = ErrorBoxesOf(process_.dwProcessId);
}

// The two status-bar panels, and where this process sees the cursor.
std::string RealtimeSoak::StatusNow() const {
    const auto panel = [this](int n) {
        std::wstring text = form_->StatusPanel(kStatusBar, n);
        text.erase(0, text.find_first_not_of(L'\t'));  // tabs place the text in its panel
        return Utf8(text);
    };
    POINT cursor{};
    GetCursorPos(&cursor);
    return "\"" + panel(0) + "\" | \"" + panel(1) + "\" (cursor at " + std::to_string(cursor.x) +
           " " + std::to_string(cursor.y) + ")";
}

// A slot that has had its moment gets the moment five slots later, when that still lies inside
// the run; otherwise it keeps a time of day that does not come again today.
void RealtimeSoak::MoveSlotsOn() {
    while (nextToMoveOn_ < slotDueMs_.size() &&
           EpochMs() >= slotDueMs_[nextToMoveOn_] + kMoveOnAfterMs) {
        const std::size_t later = nextToMoveOn_ + kSlots;
        if (later < slotDueMs_.size() && slotDueMs_[later] <= endMs_) {
            const SYSTEMTIME moment = LocalTimeOf(slotDueMs_[later]);
            const std::string picker = "FSetTime" + std::to_string(nextToMoveOn_ % kSlots + 1);
            if (!form_->SetTimeOfDay(picker, moment.wHour, moment.wMinute, moment.wSecond))
                ++moveOnFailures_;
        }
        ++nextToMoveOn_;
    }
}

void RealtimeSoak::TakeSample() {
    samples_.push_back(
        {EpochMs(), ReadFigures(process_.hProcess, process_.dwProcessId, &sources_)});
}

void RealtimeSoak::EndProgram() {
    if (process_.hProcess == nullptr) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        if (form_ && form_->Window()) PostMessageW(form_->Window(), WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 10000) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    process_.hProcess = nullptr;
}

void PrintTally(const char* what, const Tally& t, long logged, const char* delayText) {
    Print("%s: due %ld, done %ld, missed %ld, doubled %ld", what, t.due, t.done, t.missed,
          t.doubled);
    if (t.partial) Print(", incomplete bursts %ld", t.partial);
    if (t.stray) Print(", with no due moment %ld", t.stray);
    Print("; activity lines %ld; %s: median %lld ms, max %lld ms\n", logged, delayText,
          static_cast<long long>(Median(t.delaysMs)), static_cast<long long>(Largest(t.delaysMs)));
}

void RealtimeSoak::Report() {
    Print("\n%-6s %7s %8s %8s %8s %16s %12s\n", "sample", "t (s)", "handles", "GDI", "USER",
          "working set KiB", "private KiB");
    for (std::size_t i = 0; i < samples_.size(); ++i) {
        const Sample& s = samples_[i];
        const char* name = i == 0                     ? "ready"
                           : i == startSample_        ? "start"
                           : i + 1 == samples_.size() ? "end"
                                                      : "";
        Print("%-6s %7lld %8ld %8ld %8ld %16llu %12llu\n", name,
              static_cast<long long>((s.atMs - startMs_) / 1000), s.figures.handles,
              s.figures.gdiObjects, s.figures.userObjects,
              static_cast<unsigned long long>(s.figures.workingSetKb),
              static_cast<unsigned long long>(s.figures.privateKb));
    }
    Print("(ready: CheckBox1 ticked and the clock running; start: after the first helper start)\n");
    Print("handles: %s; GDI: %s; USER: %s; private: %s\n", sources_.handles.c_str(),
          sources_.gdiObjects.c_str(), sources_.userObjects.c_str(), sources_.privateBytes.c_str());
    const ProcessFigures& a = samples_[startSample_].figures;
    const ProcessFigures& b = samples_.back().figures;
    const auto kib = [](std::uint64_t value) { return static_cast<long long>(value); };
    Print(
        "change from start to end: handles %+ld, GDI %+ld, USER %+ld, working set %+lld KiB, "
        "private %+lld KiB\n",
        b.handles - a.handles, b.gdiObjects - a.gdiObjects, b.userObjects - a.userObjects,
        kib(b.workingSetKb) - kib(a.workingSetKb), kib(b.privateKb) - kib(a.privateKb));

    // Clicks: every whole second from the ready moment to the end.
    const std::int64_t firstSecond = (readyMs_ + 999) / 1000, lastSecond = endMs_ / 1000 - 1;
    const Tally clicks = TallyBursts(clicks_->Downs(), firstSecond, lastSecond, kClicksPerBurst);
    std::vector<int> clickSeconds;
    for (std::int64_t s = firstSecond; s <= lastSecond; ++s)
        clickSeconds.push_back(SecondOfDay(s * 1000));
    const long clickLines =
        SecondsWithLines(LineSecondsOfDay(activity_, L"鼠标单击坐标-"), clickSeconds);
    PrintTally("mouse clicks (a burst of 3 every second)", clicks, clickLines,
               "first button-down after its second");
    Print("button events: %zu down, %zu up\n", clicks_->Downs().size(), clicks_->Ups().size());

    // Helper starts: the slot moments from the ready moment on, with time left to start.
    std::vector<std::int64_t> due;
    std::vector<int> dueSeconds;
    for (const std::int64_t at : slotDueMs_)
        if (at >= readyMs_ && at + kSlotSpacingMs / 2 <= endMs_) {
            due.push_back(at);
            dueSeconds.push_back(SecondOfDay(at));
        }
    std::vector<std::int64_t> starts;
    for (int row = 1; row <= kSlots; ++row) {
        const auto more = ReadNumbers(PathOf(L"slot" + std::to_wstring(row) + L".exe.log"));
        starts.insert(starts.end(), more.begin(), more.end());
    }
    const Tally helpers = TallyStarts(due, starts, kSlotSpacingMs, readyMs_, endMs_);
    const long slotLines = SecondsWithLines(LineSecondsOfDay(activity_, L"打开程序-"), dueSeconds);
    PrintTally("slot helper starts (one every 10 s)", helpers, slotLines,
               "helper running after its second");
    if (moveOnFailures_) Print("slot times that could not be moved on: %ld\n", moveOnFailures_);
    Print("information box at the end: %ld lines, %zu characters (kept for the whole run)\n",
          static_cast<long>(std::count(activity_.begin(), activity_.end(), L'\n')),
          activity_.size());

    Print("status bar at the start: %s\n", statusAtStart_.c_str());
    Print("status bar at the end:   %s\n", statusAtEnd_.c_str());
    if (!stillTicked_) Print("CheckBox1 was no longer ticked at the end\n");
    for (const std::string& text : errorBoxes_)
        Print("message box open at the end: %s\n", text.c_str());

    const bool flat =
        b.handles == a.handles && b.gdiObjects == a.gdiObjects && b.userObjects == a.userObjects;
    const bool nothingMissed = clicks.missed == 0 && clicks.doubled == 0 && clicks.partial == 0 &&
                               helpers.missed == 0 && helpers.doubled == 0 && helpers.stray == 0;
    Print(
        "soak summary: seconds %lld, handles %ld->%ld, GDI %ld->%ld, USER %ld->%ld, "
        "working set KiB %lld->%lld, private KiB %lld->%lld, clicks due %ld done %ld missed %ld "
        "doubled %ld, helpers due %ld done %ld missed %ld doubled %ld, %s, %s\n",
        static_cast<long long>((endMs_ - startMs_) / 1000), a.handles, b.handles, a.gdiObjects,
        b.gdiObjects, a.userObjects, b.userObjects, kib(a.workingSetKb), kib(b.workingSetKb),
        kib(a.privateKb), kib(b.privateKb), clicks.due, clicks.done, clicks.missed, clicks.doubled,
        helpers.due, helpers.done, helpers.missed, helpers.doubled,
        flat ? "counts flat" : "counts NOT flat",
        nothingMissed ? "nothing missed" : "actions MISSED or doubled");
}

int RealtimeSoak::Run() {
    Print("=== Real-time soak: Tallowcron.exe for %d s on %s\n", seconds_, SystemName().c_str());
    Print(
        "mouse task: interval 1 s on a click-counting window; slots 1-5: daily, opening a "
        "helper every 10 s (each slot's time moved on by 50 s after it fired); "
        "status timers on\n");
    if (!Prepare() || !StartProgram() || !TickMouseBox()) return 1;
    Print("running: window shown %.1f s after the start, CheckBox1 ticked; sampling every %lld s\n",
          (shownMs_ - launchMs_) / 1000.0, static_cast<long long>(kSampleEveryMs / 1000));
    Soak();
    EndProgram();
    Report();
    return 0;
}

}  // namespace
}  // namespace tc::soak

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_realtime_soak <folder> <seconds>\n");
        return 2;
    }
    tc::soak::RealtimeSoak soak(argv[1], std::max(10, _wtoi(argv[2])));
    return soak.Run();
}
