// The schedulers of the real program with the real clock: a config.ini written beforehand with a
// moment a few seconds ahead and the clock started automatically after loading, then what the
// program starts and writes at that moment.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "desktop.h"
#include "e2e_files.h"
#include "moment_text.h"
#include "running_program.h"
#include "support/win32/shutdown_stand_in.h"
#include "window_layout.h"

namespace tc::e2e {
namespace {

// How far ahead the moment is set: room for the program to start and load under a busy Wine.
constexpr int kLeadSeconds = 10;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Waits until the local clock has passed `local` by `seconds`.
void SleepPast(const SYSTEMTIME& local, int seconds) {
    const ULONGLONG until = FileTimeOf(local) + static_cast<ULONGLONG>(seconds) * kFileTimeSecond;
    while (FileTimeNow() < until) Sleep(100);
}

class ScheduleEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (!DesktopAvailable()) GTEST_SKIP() << "no display: the program needs one";
        ASSERT_TRUE(program.Ready()) << "could not copy Tallowcron.exe into a fresh folder";
    }

    // The settings of one slot row.
    static std::vector<std::string> Slot(int row, const std::wstring& path, bool ticked,
                                         const SYSTEMTIME& moment) {
        const std::string n = std::to_string(row);
        return {"exepath" + n + "=" + Utf8(path),
                "exechk" + n + "=" + (ticked ? "1" : "0"),
                "exeTimeOn" + n + "=0",
                "task" + n + "=0",
                "TaskDate" + n + "=" + DateSerial(moment),
                "TaskTime" + n + "=" + LongTime(moment)};
    }

    RunningProgram program;
};

TEST_F(ScheduleEndToEnd, SlotsOpenTheirProgramsOnceAtTheirSecond) {
    // Row 1 starts the marker, row 2 a copy of the recorder (it counts its starts), row 3 has the
    // same moment but is not ticked.
    const std::wstring marker = program.CopyHelper(L"marker", L"marker.exe");
    const std::wstring counter = program.CopyHelper(L"recorder", L"counter.exe");
    const std::wstring unticked = program.CopyHelper(L"marker", L"unticked.exe");
    ASSERT_FALSE(marker.empty() || counter.empty() || unticked.empty());
    const SYSTEMTIME moment = LocalSecondsFromNow(kLeadSeconds);
    std::vector<std::string> config = {"[SoftWare]", "AutoTimeRun=1", "[SoftRun]"};
    for (const auto& row : {Slot(1, marker, true, moment), Slot(2, counter, true, moment),
                            Slot(3, unticked, false, moment)})
        config.insert(config.end(), row.begin(), row.end());
    ASSERT_TRUE(program.WriteConfig(config));

    const HWND window = program.Start();
    ASSERT_NE(window, nullptr) << "the main window did not appear";
    ASSERT_LT(FileTimeNow(), FileTimeOf(moment)) << "started too late to see the moment come";

    const std::wstring markerFile = marker + L".marker";
    ASSERT_TRUE(
        WaitFor([&] { return FileBytes(markerFile) == "started"; }, (kLeadSeconds + 10) * 1000))
        << "the slot's program was not started";
    // Started inside its second: not before it, and not long after (starting a process under
    // Wine takes a while).
    const ULONGLONG written = LastWriteTime(markerFile);
    EXPECT_GE(written, FileTimeOf(moment));
    EXPECT_LT(written, FileTimeOf(moment) + 3 * kFileTimeSecond);

    // Later ticks do not start it again; the unticked row starts nothing.
    SleepPast(moment, 4);
    const std::vector<std::string> starts = Lines(FileBytes(program.PathOf(L"recorder_log.txt")));
    ASSERT_EQ(starts.size(), 1u) << "row 2's program started " << starts.size() << " times";
    EXPECT_NE(starts[0].find("counter.exe"), std::string::npos) << starts[0];
    EXPECT_FALSE(FileExists(unticked + L".marker"));

    // The information box lists both, in row order.
    const std::string shown = TextOf(ControlAt(window, layout::kMemo1.x, layout::kMemo1.y));
    const std::string first = "打开程序-" + Utf8(marker) + "-执行时间-";
    const std::string second = "打开程序-" + Utf8(counter) + "-执行时间-";
    const size_t at1 = shown.find(first), at2 = shown.find(second);
    EXPECT_NE(at1, std::string::npos) << shown;
    EXPECT_NE(at2, std::string::npos) << shown;
    EXPECT_LT(at1, at2) << shown;
    EXPECT_EQ(shown.find(Utf8(unticked)), std::string::npos) << shown;
}

TEST_F(ScheduleEndToEnd, SetMomentRunsShutdownAndWritesTheCommandLog) {
    const std::wstring calls = program.PathOf(L"shutdown_calls.txt");
    test::ShutdownStandIn standIn(BuiltProgram(L"recorder"), calls);
    if (!standIn.UnderWine()) GTEST_SKIP() << "only under Wine: never start the real shutdown.exe";
    ASSERT_TRUE(standIn.Ready()) << "the recorder is not in place of shutdown.exe: nothing started";

    const SYSTEMTIME moment = LocalSecondsFromNow(kLeadSeconds);
    ASSERT_TRUE(program.WriteConfig({"[SoftWare]", "counT=10", "AutoTimeRun=1", "sysTask=0",
                                     "cdTask=0", "ptTask=1", "ptTaskDate=" + DateSerial(moment),
                                     "ptTaskTime=" + LongTime(moment), "timeOn=0"}));
    ASSERT_NE(program.Start(), nullptr) << "the main window did not appear";
    ASSERT_LT(FileTimeNow(), FileTimeOf(moment)) << "started too late to see the moment come";

    ASSERT_TRUE(WaitFor([&] { return !FileBytes(calls).empty(); }, (kLeadSeconds + 10) * 1000))
        << "shutdown.exe was not run";
    SleepPast(moment, 4);

    const std::vector<std::string> commands = Lines(FileBytes(calls));
    ASSERT_EQ(commands.size(), 1u) << FileBytes(calls);
    EXPECT_NE(commands[0].find("shutdown.exe"), std::string::npos) << commands[0];
    const std::string parameters = " -s -t 0";
    ASSERT_GE(commands[0].size(), parameters.size());
    EXPECT_EQ(commands[0].substr(commands[0].size() - parameters.size()), parameters)
        << commands[0];

    // One line in today's command log, in the system code page, ended by CR LF:
    // "HH:NN:SS.zzz 执行命令-关机--Time--" + the moment in the default date-time text. The
    // command runs first and the line is written after it, so it may fall in the next second.
    const std::string bytes = FileBytes(program.PathOf(L"log\\" + CommandLogName(moment)));
    ASSERT_FALSE(bytes.empty()) << "no command log " << Utf8(CommandLogName(moment));
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    const std::vector<std::string> logged = Lines(AnsiToUtf8(bytes));
    ASSERT_EQ(logged.size(), 1u) << AnsiToUtf8(bytes);
    const std::string& line = logged[0];
    bool matched = false;
    for (int late = 0; late <= 1 && !matched; ++late) {
        const SYSTEMTIME at = AddSeconds(moment, late);
        const std::string head = TwoDigitTime(at) + ".";
        const std::string tail = " 执行命令-关机--Time--" + ShortDate(at) + " " + LongTime(at);
        matched = line.size() == head.size() + 3 + tail.size() && line.rfind(head, 0) == 0 &&
                  std::all_of(line.begin() + head.size(), line.begin() + head.size() + 3,
                              [](char c) { return c >= '0' && c <= '9'; }) &&
                  line.substr(head.size() + 3) == tail;
    }
    EXPECT_TRUE(matched) << line << "\n(the moment was " << LongTime(moment) << ")";
}

}  // namespace
}  // namespace tc::e2e
