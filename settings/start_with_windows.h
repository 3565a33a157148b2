#pragma once
// Starting the program with Windows: the value "testTallowcron" under the machine-wide Run key.
#include <string>

#include "platform/registry.h"

namespace tc {

// The name of the program's value under the Run key.
inline constexpr const char* kRunValueName = "testTallowcron";

// The command Windows runs at log-on: the executable's own path in double quotes, so a folder
// with blanks ("C:\Program Files\...") is not cut at the first blank.
std::string StartCommand(const std::string& exePath);

// on: writes the value (RegistryError "Failed to set data for 'testTallowcron'" when refused);
// off: deletes it, silently.
void SetStartWithWindows(Registry& registry, const std::string& exePath, bool on);

}  // namespace tc
