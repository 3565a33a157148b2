#pragma once
// Files port. Paths are UTF-8 Windows paths ("C:\\Tools\\log").
#include <optional>
#include <string>
#include <string_view>

namespace tc {

class Files {
public:
    virtual ~Files() = default;
    // Full path of the running executable.
    virtual std::string ExePath() = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Creates one folder level; false when it could not be created.
    virtual bool CreateFolder(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Opens the file for appending (creating it when missing), writes the bytes and closes it.
    // False on any failure; the file is closed on every path.
    virtual bool Append(const std::string& path, std::string_view bytes) = 0;
    // The whole file; nullopt when it does not exist. Other failures throw SystemError.
    virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
    // Writes the bytes to `path` + ".tmp" and moves that over `path` in one step, so a failure
    // never leaves a half-written file, and one temporary name is all a killed save can leave
    // (the next save reuses and removes it). Throws SystemError on failure.
    virtual void ReplaceWhole(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace tc
