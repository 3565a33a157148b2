#pragma once
// Starting the program with Windows: the value "testTallowcron" under the machine's Run key, for
// every user, or, where the machine's key is refused, under the current user's.
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace tc {

// The name of the program's value under the Run key.
inline constexpr const char* kRunValueName = "testTallowcron";

// The command Windows runs at log-on: the executable's own path in double quotes, so a folder
// with blanks ("C:\Program Files\...") is not cut at the first blank, then " /autorun", which
// tells the program it was started at log-on (it may then start quietly in the notification
// area).
std::string StartCommand(const std::string& exePath);
// The argument of that command.
inline constexpr const char* kAutorunArgument = "/autorun";
// Whether the program's arguments (the command line after its own path) are that argument alone,
// blanks around it and letters in any case allowed. Anything else is an ordinary start.
bool IsAutorunStart(std::string_view arguments);

// on: when the machine's key already holds this program's command (StartCommand, or the quoted
// path alone as earlier versions wrote it; letters in any case), as an earlier save run as
// administrator left it, nothing is written under the user's key: the program starts for every
// user already (an older command there is brought up to date where the key allows it). Otherwise
// the value is written under the machine's key or, when that key is refused (the program does not
// run as administrator), under the user's key. Whenever the machine's key ends up holding the
// command, a value under the user's key is deleted: it would start the program a second time at
// log-on. RegistryError "Failed to set data for 'testTallowcron'" only when both keys are refused.
// off: deletes the value from both keys; the same RegistryError when a value is still there under
// the machine's key afterwards (its deletion was refused), as the program still starts then.
void SetStartWithWindows(Registry& registry, const std::string& exePath, bool on);

}  // namespace tc
