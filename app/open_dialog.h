#pragma once
// The system's open-file dialog, one for all five browse buttons. It offers
// "可执行文件" (*.EXE) and "批处理文件" (*.BAT), single selection, and keeps the filter entry and
// file of the last successful choice; a cancelled dialog changes neither.
#include <windows.h>
#include <commdlg.h>

#include <optional>
#include <string>

#include "platform/win32/late_system_calls.h"

namespace tc {

using GetOpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);

class OpenDialog {
public:
    explicit OpenDialog(GetOpenFileNameFn show = LateGetOpenFileName) : show_(show) {}

    // The chosen file's full path, or nothing when the user cancelled.
    std::optional<std::string> Execute(HWND owner);

    int FilterIndex() const { return filterIndex_; }

private:
    GetOpenFileNameFn show_;
    int filterIndex_ = 1;  // one-based: the first entry
    std::wstring fileName_;
};

}  // namespace tc
