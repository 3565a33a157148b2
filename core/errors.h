#pragma once
// The program's own errors. Each carries the exact message the user sees in the error box. The
// errors of the system's services are in platform/errors.h.
#include <stdexcept>
#include <string>
#include <vector>

namespace tc {

// A text that does not convert to the number, time or date asked for.
class ConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A date or time that a picker refuses (outside the range it accepts).
class PickerRangeError : public std::runtime_error {
public:
    PickerRangeError() : std::runtime_error("Failed to set calendar date or time") {}
};

// The failures of one load of the settings, reported in one box: one line per key, naming the
// key and ending with a full stop ("sysTask: 'x' is not a valid integer value.").
class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(std::vector<std::string> messages);
    const std::vector<std::string>& messages() const { return messages_; }

private:
    static std::string JoinLines(const std::vector<std::string>& messages);

    std::vector<std::string> messages_;
};

}  // namespace tc
