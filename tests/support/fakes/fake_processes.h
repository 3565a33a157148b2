#pragma once
// Running processes in memory: a snapshot lists them, terminating one removes it and records it.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace tc {

class FakeProcesses : public Processes {
public:
    std::vector<ProcessEntry> running;
    std::set<std::uint32_t> protectedPids;  // these cannot be terminated
    std::vector<std::uint32_t> terminated;  // in the order asked
    int snapshots = 0;
    // Called with each process as it is ended (a test can read the clock or start it again here).
    std::function<void(const ProcessEntry&)> onTerminate;

    std::uint32_t Start(const std::string& exeFile) {
        running.push_back({nextPid_, exeFile});
        return nextPid_++;
    }
    bool IsRunning(std::uint32_t pid) const {
        return std::any_of(running.begin(), running.end(),
                           [pid](const ProcessEntry& e) { return e.pid == pid; });
    }

    std::vector<ProcessEntry> Snapshot() override {
        ++snapshots;
        return running;
    }
    bool Terminate(std::uint32_t pid) override {
        const auto it = std::find_if(running.begin(), running.end(),
                                     [pid](const ProcessEntry& e) { return e.pid == pid; });
        if (protectedPids.count(pid) || it == running.end()) return false;
        const ProcessEntry ended = *it;
        running.erase(it);
        terminated.push_back(pid);
        if (onTerminate) onTerminate(ended);
        return true;
    }

private:
    std::uint32_t nextPid_ = 100;
};

}  // namespace tc
