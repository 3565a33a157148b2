#include "core/errors.h"

namespace tc {

SettingsError::SettingsError(std::vector<std::string> messages)
    : std::runtime_error(JoinLines(messages)), messages_(std::move(messages)) {}

std::string SettingsError::JoinLines(const std::vector<std::string>& messages) {
    std::string joined;
    for (const std::string& m : messages) {
        if (!joined.empty()) joined += "\r\n";
        joined += m;
    }
    return joined;
}

}  // namespace tc
