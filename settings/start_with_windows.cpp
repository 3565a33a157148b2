#include "settings/start_with_windows.h"

#include "platform/errors.h"

namespace tc {

std::string StartCommand(const std::string& exePath) { return "\"" + exePath + "\""; }

void SetStartWithWindows(Registry& registry, const std::string& exePath, bool on) {
    if (!on) {
        registry.DeleteRunValue(RunKey::Machine, kRunValueName);
        registry.DeleteRunValue(RunKey::CurrentUser, kRunValueName);
        return;
    }
    const std::string command = StartCommand(exePath);
    try {
        registry.SetRunValue(RunKey::Machine, kRunValueName, command);
    } catch (const RegistryError&) {
        // Not allowed to register for every user: then for this user at least. Its error is the
        // one the user sees when this is refused too.
        registry.SetRunValue(RunKey::CurrentUser, kRunValueName, command);
        return;
    }
    // Registered for every user: a value that an earlier save left under this user's key would
    // start the program a second time at log-on.
    registry.DeleteRunValue(RunKey::CurrentUser, kRunValueName);
}

}  // namespace tc
