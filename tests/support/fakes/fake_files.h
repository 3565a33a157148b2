#pragma once
// An in-memory file system that records what it was asked and can be told to fail.
#include <map>
#include <set>
#include <string>

#include "platform/files.h"

namespace tc {

class FakeFiles : public Files {
public:
    std::string exePath = "C:\\Tools\\Tallowcron\\Tallowcron.exe";
    std::set<std::string> directories{"C:\\", "C:\\Tools", "C:\\Tools\\Tallowcron"};
    std::map<std::string, std::string> files;  // path -> bytes
    // Paths whose creation, append or replacement fails.
    std::set<std::string> failing;
    int appendCalls = 0;

    std::string ExePath() override { return exePath; }
    bool DirectoryExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool Append(const std::string& path, std::string_view bytes) override;
    std::optional<std::string> ReadAll(const std::string& path) override;
    void ReplaceWhole(const std::string& path, std::string_view bytes) override;
};

}  // namespace tc
