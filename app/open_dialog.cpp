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

}  // namespace tc
