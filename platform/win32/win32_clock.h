#pragma once
// The system's local time.
#include "platform/clock.h"

namespace tc {

class Win32Clock : public Clock {
public:
    LocalTime Now() override;
};

}  // namespace tc
