#pragma once
// The text and title of the default error box.
#include <string>

#include "platform/code_page.h"

namespace tc {

// The program's name for the box title: the executable's file name up to its first dot, every
// letter after the first in lower case ("C:\\x\\TALLOWCRON.EXE" -> "Tallowcron").
std::string ProgramTitle(const std::string& exePath);

// Appends a full stop when the first byte of the message's last character, in the system code
// page, is greater than the byte of "." (so "value" gets one, "value." and "text)" do not, and a
// Chinese last character, whose first byte is a lead byte, does).
std::string WithFullStop(const std::string& message, CodePage& codePage);

}  // namespace tc
