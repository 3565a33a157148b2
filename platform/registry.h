#pragma once
// Registry port: the value that makes the program start with Windows, under a Run key: the
// machine's, read at every user's log-on, or the current user's own.
#include <optional>
#include <string>

namespace tc {

enum class RunKey { Machine, CurrentUser };

class Registry {
public:
    virtual ~Registry() = default;
    // Opens the Run key for writing (creating it when missing) and sets a string value.
    // Throws RegistryError(name) when the value cannot be written.
    virtual void SetRunValue(RunKey key, const std::string& name, const std::string& data) = 0;
    // Deletes the value; nothing is reported when it is absent or cannot be deleted.
    virtual void DeleteRunValue(RunKey key, const std::string& name) = 0;
    // The value's text, read where SetRunValue writes it; nullopt when the key or the value is
    // not there (or the key cannot be opened for reading). A value that is there but holds no
    // text that can be read (another type than a string) reads as "".
    virtual std::optional<std::string> ReadRunValue(RunKey key, const std::string& name) = 0;
};

}  // namespace tc
