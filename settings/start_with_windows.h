#pragma once
// Starting the program with Windows: the value "testTallowcron" under the machine's Run key, for
// every user, or, where the machine's key is refused, under the current user's.
#include <string>

#include "platform/registry.h"

namespace tc {

// The name of the program's value under the Run key.
inline constexpr const char* kRunValueName = "testTallowcron";

// The command Windows runs at log-on: the executable's own path in double quotes, so a folder
// with blanks ("C:\Program Files\...") is not cut at the first blank.
std::string StartCommand(const std::string& exePath);

// on: writes the value under the machine's key and removes the user's; when the machine's key is
// refused (the program does not run as administrator), writes it under the user's key instead.
// RegistryError "Failed to set data for 'testTallowcron'" only when both are refused.
// off: deletes the value from both keys, silently.
void SetStartWithWindows(Registry& registry, const std::string& exePath, bool on);

}  // namespace tc
