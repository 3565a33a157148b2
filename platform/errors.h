#pragma once
// The errors of the system's services, as the ports report them. Each carries the exact message
// the user sees in the error box. The program's own errors are in core/errors.h.
#include <stdexcept>
#include <string>

namespace tc {

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

}  // namespace tc
