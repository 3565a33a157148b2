#pragma once
// Files and text as the end-to-end tests need them: whole files in and out, the system code page
// that the program writes its files in, folders made and removed.
#include <windows.h>

#include <string>

#include "support/win32/test_folders.h"

namespace tc::e2e {

using test::TestFolder;

// A new, empty folder under the system's temporary folder; its name starts with `stem`.
std::wstring MakeFreshFolder(const std::wstring& stem);
using test::RemoveTree;

using test::FileBytes;
using test::FileExists;
using test::WriteFileBytes;
// The time of the last write, or 0 when there is no such file.
ULONGLONG LastWriteTime(const std::wstring& path);

// Text in the system code page (936 under the Chinese locale) and UTF-8, both ways.
std::string AnsiToUtf8(const std::string& ansi);
std::string Utf8ToAnsi(const std::string& utf8);
std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);

}  // namespace tc::e2e
