#include "fakes/fake_registry.h"

#include "platform/errors.h"

namespace tc {

void FakeRegistry::SetRunValue(const std::string& name, const std::string& data) {
    calls.push_back("set " + name + "=" + data);
    if (refuseWrites) throw RegistryError(name);
    values[name] = data;
}

void FakeRegistry::DeleteRunValue(const std::string& name) {
    calls.push_back("delete " + name);
    values.erase(name);
}

}  // namespace tc
