#pragma once
// The recorder helper (tests/helpers/recorder.cpp, at `recorderPath`) in place of the Wine
// prefix's shutdown.exe for the life of this object: a program started afterwards that runs
// "shutdown.exe" runs the recorder, which appends its command line to `logPath`. Wine's own stub is
// kept from running by a load-order override in the prefix's registry ("shutdown.exe" = "native";
// an override in this process's environment would not reach the programs it starts). Both the file
// and the override are put back afterwards; a shutdown.exe that cannot be read is left alone, since
// it could not be put back. Refuses to do anything outside Wine, so the real shutdown.exe is never
// replaced. Ready() stays false whenever the recorder is not in place: a test must not start
// anything that may shut down.
#include <windows.h>

#include <string>

namespace tc::test {

class ShutdownStandIn {
public:
    ShutdownStandIn(const std::wstring& recorderPath, const std::wstring& logPath);
    ~ShutdownStandIn();
    ShutdownStandIn(const ShutdownStandIn&) = delete;
    ShutdownStandIn& operator=(const ShutdownStandIn&) = delete;

    bool UnderWine() const { return !shutdownPath_.empty(); }
    // The recorder is in place and the override is set.
    bool Ready() const { return ready_; }

private:
    void RestoreOverride();
    void RestoreFile();

    std::wstring shutdownPath_;
    std::string original_;
    bool hadOriginal_ = false;
    bool replaced_ = false;
    HKEY overrides_ = nullptr;
    DWORD disposition_ = 0;
    bool hadOverride_ = false;
    std::wstring oldOverride_;  // with its terminating NUL
    bool overridden_ = false;
    bool ready_ = false;
};

}  // namespace tc::test
