#pragma once
// The errors the program reports. Each carries the exact message the user sees in the error box.
#include <stdexcept>
#include <string>

namespace tc {

// A text that does not convert to the number, time or date asked for.
class ConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failing system call: "System Error.  Code: N." followed by a line break and the system's text.
class SystemError : public std::runtime_error {
public:
    SystemError(unsigned long code, const std::string& systemText)
        : std::runtime_error("System Error.  Code: " + std::to_string(code) + ".\r\n" + systemText),
          code_(code) {}
    unsigned long code() const { return code_; }

private:
    unsigned long code_;
};

// A registry write that did not happen: "Failed to set data for 'name'".
class RegistryError : public std::runtime_error {
public:
    explicit RegistryError(const std::string& valueName)
        : std::runtime_error("Failed to set data for '" + valueName + "'") {}
};

// A date or time that a picker refuses (outside the range it accepts).
class PickerRangeError : public std::runtime_error {
public:
    PickerRangeError() : std::runtime_error("Failed to set calendar date or time") {}
};

}  // namespace tc
