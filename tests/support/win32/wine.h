#pragma once
// Whether this process runs under Wine, and what Wine tells of itself and of its file names. On
// Windows itself Wine's own exports are missing, and each of these says so.
#include <string>

namespace tc::test {

// Wine's version ("8.0"...), or nullptr on Windows itself.
const char* WineVersion();
// This process runs under Wine (not on Windows itself).
bool RunningUnderWine();
// The Unix path of a Windows path under Wine, without a trailing slash; empty on Windows itself
// or when Wine gives none.
std::string UnixPathOf(const std::wstring& windowsPath);

}  // namespace tc::test
