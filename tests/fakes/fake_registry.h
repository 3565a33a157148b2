#pragma once
// The Run key in memory; it records what was asked and can be told to refuse writes.
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace tc {

class FakeRegistry : public Registry {
public:
    std::map<std::string, std::string> values;  // name -> data
    // When on, SetRunValue throws RegistryError as it does for a user who is not elevated.
    bool refuseWrites = false;
    // "set name=data" and "delete name", in order.
    std::vector<std::string> calls;

    void SetRunValue(const std::string& name, const std::string& data) override;
    void DeleteRunValue(const std::string& name) override;
};

}  // namespace tc
