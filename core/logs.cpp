#include "core/logs.h"

#include "core/file_paths.h"

namespace tc {
namespace {

std::string Digits(int value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), '0');
    return text;
}

}  // namespace

void AddActivityLine(ControlValues& values, const std::string& text) {
    values.AppendActivityLine(text);
}

void ClearActivityLog(ControlValues& values) { values.ClearActivity(); }

CommandLog::CommandLog(Clock& clock, Files& files, CodePage& codePage)
    : clock_(clock), files_(files), codePage_(codePage) {}

void CommandLog::LogToFile(const std::string& message) {
    // The command has already been issued: whatever goes wrong here is dropped, never reported.
    try {
        const std::string folder = FolderOf(files_.ExePath()) + "\\log";
        if (!files_.DirectoryExists(folder) && !files_.CreateFolder(folder)) return;

        // One reading of now for both the file's date and the line's time, so a call made
        // across midnight never writes a 00:00 line into the previous day's file.
        const LocalTime now = clock_.Now();
        const std::string file = folder + "\\_Log" + Digits(now.year % 100, 2) +
                                 Digits(now.month, 2) + Digits(now.day, 2) + ".txt";
        const std::string line = Digits(now.hour, 2) + timeSeparator_ + Digits(now.minute, 2) +
                                 timeSeparator_ + Digits(now.second, 2) + "." +
                                 Digits(now.millisecond, 3) + " " + message + "\r\n";
        files_.Append(file, codePage_.ToAnsi(line));
    } catch (...) {
    }
}

}  // namespace tc
