#pragma once
// Power actions port: the two the system carries out itself rather than through shutdown.exe.

namespace tc {

class PowerActions {
public:
    virtual ~PowerActions() = default;
    // Puts the computer to sleep (not hibernation). Throws SystemError when the system refuses.
    virtual void Sleep() = 0;
    // Locks the workstation. Throws SystemError when the system refuses.
    virtual void Lock() = 0;
};

}  // namespace tc
