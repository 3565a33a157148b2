#pragma once
// Running processes through the tool-help snapshot; termination with the terminate right only.
#include "platform/processes.h"

namespace tc {

class Win32Processes : public Processes {
public:
    // Every process in the system; empty when no snapshot could be taken.
    std::vector<ProcessEntry> Snapshot() override;
    bool Terminate(std::uint32_t pid) override;
};

}  // namespace tc
