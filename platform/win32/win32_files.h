#pragma once
// Files through the Win32 W functions. Paths are UTF-8 and converted at the call.
#include "platform/files.h"

// Also when <windows.h> came between platform/files.h and this header.

namespace tc {

class Win32Files : public Files {
public:
    std::string ExePath() override;
    bool DirectoryExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool Append(const std::string& path, std::string_view bytes) override;
    std::optional<std::string> ReadAll(const std::string& path) override;
    // A read-only target is refused (access denied) and left as it was.
    void ReplaceWhole(const std::string& path, std::string_view bytes) override;
};

}  // namespace tc
