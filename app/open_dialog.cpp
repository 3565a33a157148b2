#include "app/open_dialog.h"

#include <algorithm>
#include <vector>

#include "platform/win32/win32_text.h"

namespace tc {

std::optional<std::string> OpenDialog::Execute(HWND owner) {
    static constexpr wchar_t kFilter[] = L"可执行文件\0*.EXE\0批处理文件\0*.BAT\0";
    std::vector<wchar_t> file(32768, L'\0');
    fileName_.copy(file.data(), std::min(fileName_.size(), file.size() - 1));
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex_);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (!show_(&ofn)) return std::nullopt;
    fileName_ = file.data();
    filterIndex_ = static_cast<int>(ofn.nFilterIndex);
    return Narrow(fileName_);
}

std::string FileExtension(const std::string& path) {
    const std::size_t nameStart = path.find_last_of("\\/:");
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart)) return {};
    return path.substr(dot);
}

std::string UpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

}  // namespace tc
