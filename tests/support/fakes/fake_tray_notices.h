#pragma once
// The notification icon in memory: every tooltip and warning it was given, in order.
#include <functional>
#include <string>
#include <vector>

#include "core/tray_notices.h"

namespace tc {

class FakeTrayNotices : public TrayNotices {
public:
    std::vector<std::string> tips;
    std::vector<std::string> warnings;
    // Called with each warning as it comes (a test can read the clock here).
    std::function<void(const std::string&)> onWarn;

    void SetTip(const std::string& tip) override { tips.push_back(tip); }
    void Warn(const std::string& text) override {
        warnings.push_back(text);
        if (onWarn) onWarn(text);
    }
};

}  // namespace tc
