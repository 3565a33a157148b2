#pragma once
// Folders and files as the Windows tests need them around the program: whole files read, and
// temporary folders removed with everything in them.
#include <string>

namespace tc::test {

// Removes a folder and everything in it, read-only files and folders included.
void RemoveTree(const std::wstring& folder);

// The bytes of a file, empty when it cannot be read. Opened with full sharing, so a file that
// another process is writing can be read too.
std::string FileBytes(const std::wstring& path);

}  // namespace tc::test
