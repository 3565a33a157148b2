#include "settings/start_with_windows.h"

namespace tc {

std::string StartCommand(const std::string& exePath) { return "\"" + exePath + "\""; }

void SetStartWithWindows(Registry& registry, const std::string& exePath, bool on) {
    if (on)
        registry.SetRunValue(kRunValueName, StartCommand(exePath));
    else
        registry.DeleteRunValue(kRunValueName);
}

}  // namespace tc
