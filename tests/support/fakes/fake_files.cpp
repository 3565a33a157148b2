#include "support/fakes/fake_files.h"

#include "platform/errors.h"

namespace tc {
namespace {

std::string ParentOf(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

bool FakeFiles::DirectoryExists(const std::string& path) { return directories.count(path) != 0; }

bool FakeFiles::CreateFolder(const std::string& path) {
    if (failing.count(path) || files.count(path) || !directories.count(ParentOf(path)))
        return false;
    return directories.insert(path).second;
}

bool FakeFiles::FileExists(const std::string& path) { return files.count(path) != 0; }

bool FakeFiles::Append(const std::string& path, std::string_view bytes) {
    ++appendCalls;
    if (failing.count(path) || directories.count(path) || !directories.count(ParentOf(path)))
        return false;
    files[path].append(bytes);
    return true;
}

std::optional<std::string> FakeFiles::ReadAll(const std::string& path) {
    const auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
}

void FakeFiles::ReplaceWhole(const std::string& path, std::string_view bytes) {
    if (failing.count(path) || !directories.count(ParentOf(path)))
        throw SystemError(5, "Access is denied.");
    files[path] = std::string(bytes);
}

}  // namespace tc
