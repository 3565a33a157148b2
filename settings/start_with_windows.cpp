#include "settings/start_with_windows.h"

#include <optional>
#include <string_view>

#include "core/ascii_text.h"
#include "platform/errors.h"

namespace tc {
namespace {

// Whether the machine's value starts this executable: the command this program writes, or the
// quoted path alone that earlier versions wrote; letters in another case allowed, as Windows'
// file systems do not tell paths apart by case. A command for another path, or with anything
// else, is not taken for this program's: its value under the user's key then makes sure the
// program starts.
bool StartsThisProgram(std::string_view registered, const std::string& exePath) {
    return SameIgnoringAsciiCase(registered, StartCommand(exePath)) ||
           SameIgnoringAsciiCase(registered, "\"" + exePath + "\"");
}

}  // namespace

bool IsAutorunStart(std::string_view arguments) {
    const auto first = arguments.find_first_not_of(" \t");
    if (first == std::string_view::npos) return false;
    const auto last = arguments.find_last_not_of(" \t");
    return SameIgnoringAsciiCase(arguments.substr(first, last - first + 1), kAutorunArgument);
}

std::string StartCommand(const std::string& exePath) {
    return "\"" + exePath + "\" " + kAutorunArgument;
}

void SetStartWithWindows(Registry& registry, const std::string& exePath, bool on) {
    if (!on) {
        registry.DeleteRunValue(RunKey::Machine, kRunValueName);
        registry.DeleteRunValue(RunKey::CurrentUser, kRunValueName);
        // A value that a save run as administrator left under the machine's key cannot be removed
        // without those rights, and the program keeps starting for every user: the user is told,
        // with the error a refused write gives.
        if (registry.ReadRunValue(RunKey::Machine, kRunValueName))
            throw RegistryError(kRunValueName);
        return;
    }
    const std::string command = StartCommand(exePath);
    const std::optional<std::string> machine =
        registry.ReadRunValue(RunKey::Machine, kRunValueName);
    if (machine && StartsThisProgram(*machine, exePath)) {
        // Started for every user already, whether or not this user may write the machine's key.
        // An older command is brought up to date where the key allows it; where it does not,
        // it still starts the program, only not quietly. A value under this user's key would
        // start it a second time.
        if (!SameIgnoringAsciiCase(*machine, command)) {
            try {
                registry.SetRunValue(RunKey::Machine, kRunValueName, command);
            } catch (const RegistryError&) {
            }
        }
        registry.DeleteRunValue(RunKey::CurrentUser, kRunValueName);
        return;
    }
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
