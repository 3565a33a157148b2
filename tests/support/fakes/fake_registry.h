#pragma once
// The two Run keys in memory; it records the writes and deletes asked for and can be told to
// refuse either key.
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace tc {

class FakeRegistry : public Registry {
public:
    using Values = std::map<std::string, std::string>;  // name -> data
    Values machine;
    Values currentUser;
    // A refused key throws RegistryError on a write and keeps its values on a delete, as the
    // machine's key does for a user who is not elevated.
    bool refuseMachine = false;
    bool refuseCurrentUser = false;
    // "set machine name=data", "delete user name"..., in order.
    std::vector<std::string> calls;

    void SetRunValue(RunKey key, const std::string& name, const std::string& data) override;
    void DeleteRunValue(RunKey key, const std::string& name) override;
    // Reads are allowed on a refused key too, as on the machine's key for any user.
    std::optional<std::string> ReadRunValue(RunKey key, const std::string& name) override;

private:
    Values& ValuesOf(RunKey key) { return key == RunKey::Machine ? machine : currentUser; }
    bool Refused(RunKey key) const {
        return key == RunKey::Machine ? refuseMachine : refuseCurrentUser;
    }
};

}  // namespace tc
