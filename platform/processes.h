#pragma once
// Processes port: a snapshot of running processes and termination of one of them.
#include <cstdint>
#include <string>
#include <vector>

namespace tc {

struct ProcessEntry {
    std::uint32_t pid = 0;
    std::string exeFile;  // the snapshot's executable name field
};

class Processes {
public:
    virtual ~Processes() = default;
    virtual std::vector<ProcessEntry> Snapshot() = 0;
    // Opens the process with the terminate right and ends it with exit code 0.
    // False when it could not be opened or terminated. Handles are closed on every path.
    virtual bool Terminate(std::uint32_t pid) = 0;
};

}  // namespace tc
