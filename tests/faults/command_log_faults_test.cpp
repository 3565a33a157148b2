// Power commands when their log cannot be written: the name "log" taken by a file, and the day's
// log file held open by another program that shares it with nobody. The real window runs the
// commands through the real shell (the recorder helper standing in for shutdown.exe) and logs
// them through the real file system: the command must run, no error box may appear, and the log
// must take the next command once it can.
#include "core/controls.h"
#include "fault_rig.h"
#include "platform/win32/win32_text.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

// The day of the test clock: the log file of 2026-03-04.
const char kDayLog[] = "log\\_Log260304.txt";

// Another program holding a file open without sharing, for as long as this object lives or
// until Release.
class HeldFile {
public:
    HeldFile(const std::string& holder, const std::string& path) {
        std::wstring line = L"\"" + Widen(holder) + L"\" \"" + Widen(path) + L"\" 60";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                            nullptr, nullptr, &startup, &process_))
            return;
        CloseHandle(process_.hThread);
        started_ = true;
        held_ = WaitFor([&] { return SharingRefused(path); }, 10000);
    }
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool Held() const { return held_; }
    void Release() {
        if (!started_) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hProcess);
        started_ = false;
    }

private:
    static bool SharingRefused(const std::string& path) {
        HANDLE file =
            CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        return file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
    }

    PROCESS_INFORMATION process_{};
    bool started_ = false;
    bool held_ = false;
};

class CommandLogFaults : public FaultTest {
protected:
    void SetUp() override {
        FaultTest::SetUp();
        const std::string recorder = CopyHelper("recorder", folder.Path());
        ASSERT_FALSE(recorder.empty());
        recorder_ = std::make_unique<RecorderShell>(recorder);
        shell = recorder_.get();
    }

    // Starts the scheduling with the set moment of the power-off group switched on.
    void StartWithSetMoment() {
        Values().SetChecked(kSetMomentCheck, true);
        Values().SetChecked(kByClockCheck, false);
        Values().SetDateTime(kSetMomentDatePicker, FromLocalTime({2026, 3, 4, 0, 0, 0, 0}));
        Click(kStartButton);
        ASSERT_TRUE(form->Schedule().Running());
    }

    // Sets the power command and its moment (10:00:SS today) and lets the clock pass it.
    void RunCommandAt(int second, int command) {
        Values().SetItemIndex(kPowerCommandCombo, command);
        Values().SetDateTime(kSetMomentTimePicker, FromLocalTime({2026, 3, 4, 10, 0, second, 0}));
        for (int s = second - 1; s <= second + 1; ++s) {
            clock.Set(2026, 3, 4, 10, 0, s, 500);
            Tick();
        }
    }

    // The command lines the recorder was started with, once `count` of them have come.
    std::vector<std::string> RecordedCommands(std::size_t count) {
        const std::string log = folder.File("recorder_log.txt");
        WaitFor([&] { return Lines(log).size() >= count; }, 10000);
        return Lines(log);
    }

private:
    static std::vector<std::string> Lines(const std::string& path) {
        std::vector<std::string> lines;
        const std::string text = ReadBytes(path).value_or("");
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }

    std::unique_ptr<RecorderShell> recorder_;
};

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(CommandLogFaults, LogNameTakenByAFileCommandsStillRunWithoutAnyMessage) {
    const std::string notAFolder = folder.File("log");
    ASSERT_TRUE(WriteBytes(notAFolder, "someone else's file"));
    Open();
    StartWithSetMoment();

    RunCommandAt(2, 0);
    EXPECT_EQ(RecordedCommands(1).size(), 1u);  // each started program ends before the next
    RunCommandAt(5, 1);
    const std::vector<std::string> commands = RecordedCommands(2);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_TRUE(EndsWith(commands[0], " -s -t 0")) << commands[0];
    EXPECT_TRUE(EndsWith(commands[1], " -r -t 0")) << commands[1];
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_EQ(ReadBytes(notAFolder), "someone else's file");
    EXPECT_TRUE(IsWindow(form->Handle()));
    EXPECT_TRUE(form->Schedule().Running());
}

TEST_F(CommandLogFaults, DayLogHeldByAnotherProgramDropsThatLineOnly) {
    ASSERT_TRUE(CreateDirectoryW(Widen(folder.File("log")).c_str(), nullptr));
    const std::string dayLog = folder.File(kDayLog);
    const std::string earlier = "09:00:00.000 earlier line\r\n";
    ASSERT_TRUE(WriteBytes(dayLog, earlier));
    HeldFile held(HelperProgram("holder"), dayLog);
    ASSERT_TRUE(held.Held());
    Open();
    StartWithSetMoment();

    RunCommandAt(2, 0);
    EXPECT_EQ(RecordedCommands(1).size(), 1u);
    EXPECT_TRUE(Boxes().shown.empty());

    held.Release();
    EXPECT_EQ(ReadBytes(dayLog), earlier);  // the line of the first command is dropped
    RunCommandAt(5, 1);
    EXPECT_EQ(RecordedCommands(2).size(), 2u);
    EXPECT_TRUE(Boxes().shown.empty());
    const std::vector<std::string> lines = TextLines(dayLog);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "09:00:00.000 earlier line");
    EXPECT_EQ(lines[1].rfind("10:00:05.500 执行命令-重启--Time--", 0), 0u) << lines[1];
}

}  // namespace
}  // namespace tc::test
