#pragma once
// Registry port: the value that makes the program start with Windows, under the machine-wide
// Run key.
#include <string>

namespace tc {

class Registry {
public:
    virtual ~Registry() = default;
    // Opens the Run key for full access (creating it when missing) and sets a string value.
    // Throws RegistryError(name) when the value cannot be written.
    virtual void SetRunValue(const std::string& name, const std::string& data) = 0;
    // Deletes the value; nothing is reported when it is absent or cannot be deleted.
    virtual void DeleteRunValue(const std::string& name) = 0;
};

}  // namespace tc
