#pragma once
// What the schedulers tell the user through the notification-area icon.
#include <string>

namespace tc {

class TrayNotices {
public:
    virtual ~TrayNotices() = default;
    // The icon's whole tooltip ("Tallowcron", perhaps a second line after "\n").
    virtual void SetTip(const std::string& tip) = 0;
    // A balloon titled "Tallowcron" with this text; clicking it shows the window.
    virtual void Warn(const std::string& text) = 0;
};

}  // namespace tc
