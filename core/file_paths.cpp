#include "core/file_paths.h"

namespace tc {
namespace {

// Where the folder part ends: the last "\" or "/", npos for a bare file name.
std::size_t LastSeparator(std::string_view path) { return path.find_last_of("\\/"); }

}  // namespace

std::string_view FileNamePart(std::string_view path) {
    const auto cut = path.find_last_of("\\/:");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string FileExtension(const std::string& path) {
    const std::string_view name = FileNamePart(path);
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::string FolderPart(const std::string& path) {
    const std::size_t slash = LastSeparator(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = LastSeparator(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FileStem(const std::string& path) {
    const std::size_t slash = LastSeparator(path);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.substr(0, name.find('.'));
}

std::string ConfigPathFor(const std::string& exePath) { return FolderPart(exePath) + "config.ini"; }

}  // namespace tc
