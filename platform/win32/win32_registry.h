#pragma once
// The Run key of HKEY_LOCAL_MACHINE, in the 32-bit view of the registry: the view in which the
// program has always registered itself.
#include <string>

#include "platform/registry.h"

namespace tc {

class Win32Registry : public Registry {
public:
    // SOFTWARE\Microsoft\Windows\CurrentVersion\Run.
    Win32Registry();
    // Another key under HKEY_LOCAL_MACHINE (tests use one of their own).
    explicit Win32Registry(std::wstring keyPath);

    void SetRunValue(const std::string& name, const std::string& data) override;
    void DeleteRunValue(const std::string& name) override;

private:
    std::wstring keyPath_;
};

}  // namespace tc
