#pragma once
// Folders and files as the Windows tests need them around the program: whole files read and
// written, and temporary folders removed with everything in them.
#include <string>

namespace tc::test {

// The folder of this test program, without a trailing backslash.
std::wstring TestFolder();

// Removes a folder and everything in it, read-only files and folders included.
void RemoveTree(const std::wstring& folder);

// The bytes of a file, empty when it cannot be read. Opened with full sharing, so a file that
// another process is writing can be read too.
std::string FileBytes(const std::wstring& path);
// A file (or folder) is there.
bool FileExists(const std::wstring& path);
// Writes `bytes` as the whole file, created or replaced; true when all of them were written.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

}  // namespace tc::test
