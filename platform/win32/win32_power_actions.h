#pragma once
// Sleep through the power management library's SetSuspendState, lock through LockWorkStation.
#include "platform/power_actions.h"

namespace tc {

class Win32PowerActions : public PowerActions {
public:
    void Sleep() override;
    void Lock() override;
};

}  // namespace tc
