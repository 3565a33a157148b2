#pragma once
// Power actions in memory: records each one asked for, in order, and can be told to refuse.
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/power_actions.h"

namespace tc {

class FakePowerActions : public PowerActions {
public:
    std::vector<std::string> done;  // "sleep", "lock"
    bool refuse = false;            // each call fails as the system can refuse it

    void Sleep() override { Do("sleep"); }
    void Lock() override { Do("lock"); }

private:
    void Do(const char* what) {
        if (refuse) throw SystemError(5, "拒绝访问。");
        done.emplace_back(what);
    }
};

}  // namespace tc
