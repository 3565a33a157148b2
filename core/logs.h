#pragma once
// The two logs: the activity box of the window, and the daily command log file beside the exe.
#include <string>

#include "core/control_values.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/files.h"

namespace tc {

void AddActivityLine(ControlValues& values, const std::string& text);
void ClearActivityLog(ControlValues& values);

// Appends "HH:NN:SS.zzz " + message + CR LF, in the system code page, to
// <exe folder>\log\_LogYYMMDD.txt, creating the folder and the file when missing. Now is read
// once, so the file's date and the line's time always agree. Every failure is silent.
class CommandLog {
public:
    CommandLog(Clock& clock, Files& files, CodePage& codePage);
    void SetTimeSeparator(std::string separator) { timeSeparator_ = std::move(separator); }
    void LogToFile(const std::string& message);

private:
    Clock& clock_;
    Files& files_;
    CodePage& codePage_;
    std::string timeSeparator_ = ":";
};

}  // namespace tc
