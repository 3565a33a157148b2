#pragma once
// A shell that records what it was asked to open.
#include <functional>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace tc {

struct ShellCall {
    std::string file;
    std::string parameters;
    ShellOwner owner = ShellOwner::MainWindow;
    bool operator==(const ShellCall&) const = default;
};

class FakeShell : public Shell {
public:
    std::vector<ShellCall> calls;
    // Called with each request as it comes (a test can read the clock or throw from here).
    std::function<void(const ShellCall&)> onOpen;

    void Open(const std::string& file, const std::string& parameters, ShellOwner owner) override {
        calls.push_back({file, parameters, owner});
        if (onOpen) onOpen(calls.back());
    }
};

}  // namespace tc
