#pragma once
// The Run keys: HKEY_LOCAL_MACHINE's in the 32-bit view of the registry (the view in which the
// program has always registered itself) and HKEY_CURRENT_USER's, which both views share.
#include <string>

#include "platform/registry.h"

namespace tc {

class Win32Registry : public Registry {
public:
    // SOFTWARE\Microsoft\Windows\CurrentVersion\Run under both roots.
    Win32Registry();
    // Other keys (tests use their own): one under HKEY_LOCAL_MACHINE, one under
    // HKEY_CURRENT_USER.
    Win32Registry(std::wstring machineKeyPath, std::wstring userKeyPath);

    void SetRunValue(RunKey which, const std::string& name, const std::string& data) override;
    void DeleteRunValue(RunKey which, const std::string& name) override;
    std::optional<std::string> ReadRunValue(RunKey which, const std::string& name) override;

private:
    const std::wstring& PathOf(RunKey which) const;

    std::wstring machineKeyPath_;
    std::wstring userKeyPath_;
};

}  // namespace tc
