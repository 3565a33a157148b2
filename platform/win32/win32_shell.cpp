#include "platform/win32/win32_shell.h"

#include <algorithm>
#include <string_view>

#include "platform/win32/win32_text.h"

namespace tc {
namespace {

// ShellExecute takes a file as a path, and a path in the Windows API holds at most MAX_PATH
// characters, its terminating NUL included ("Maximum Path Length Limitation" in the Windows
// documentation); only the file functions take longer "\\?\" paths, and the shell is not one of
// them. Longer paths are not merely refused by the shell: about 1,000 characters and more end
// the calling process inside the call.
constexpr std::size_t kLongestShellPath = MAX_PATH - 1;
// A URL goes to the handler of its scheme, and the shell takes one of up to
// INTERNET_MAX_URL_LENGTH characters, its terminating NUL included. Meeting links are often
// longer than a path may be.
constexpr std::size_t kLongestShellUrl = 2083;

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

bool IsSchemeCharacter(wchar_t c) {
    return IsAsciiLetter(c) || (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'.';
}

// The text starts with a URL's scheme and its colon: a letter, then letters, digits, "+", "-"
// or ".". A single letter before the colon is a drive ("C:"), not a scheme.
bool IsUrl(std::wstring_view text) {
    const std::size_t colon = text.find(L':');
    return colon != std::wstring_view::npos && colon >= 2 && IsAsciiLetter(text[0]) &&
           std::ranges::all_of(text.substr(1, colon - 1), IsSchemeCharacter);
}

// The length of the path as the shell opens it: the call names no folder, so the shell resolves
// a relative path against the current folder. A path that cannot be resolved counts as written.
std::size_t ResolvedLength(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    return size == 0 ? path.size() : size - 1;
}

bool ShellTakes(const std::wstring& file) {
    if (IsUrl(file)) return file.size() <= kLongestShellUrl;
    return file.size() <= kLongestShellPath && ResolvedLength(file) <= kLongestShellPath;
}

}  // namespace

void Win32Shell::Open(const std::string& file, const std::string& parameters, ShellOwner owner) {
    const std::wstring wideFile = Widen(file);
    if (!ShellTakes(wideFile)) ThrowSystemError(ERROR_FILENAME_EXCED_RANGE);
    const std::wstring wideParameters = Widen(parameters);
    execute_(owner == ShellOwner::MainWindow ? mainWindow_ : appWindow_, L"open", wideFile.c_str(),
             wideParameters.empty() ? nullptr : wideParameters.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace tc
