#include "support/fakes/fake_registry.h"

#include "platform/errors.h"

namespace tc {
namespace {

std::string KeyName(RunKey key) { return key == RunKey::Machine ? "machine" : "user"; }

}  // namespace

void FakeRegistry::SetRunValue(RunKey key, const std::string& name, const std::string& data) {
    calls.push_back("set " + KeyName(key) + " " + name + "=" + data);
    if (Refused(key)) throw RegistryError(name);
    ValuesOf(key)[name] = data;
}

void FakeRegistry::DeleteRunValue(RunKey key, const std::string& name) {
    calls.push_back("delete " + KeyName(key) + " " + name);
    if (!Refused(key)) ValuesOf(key).erase(name);
}

std::optional<std::string> FakeRegistry::ReadRunValue(RunKey key, const std::string& name) {
    const Values& values = ValuesOf(key);
    const auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

}  // namespace tc
