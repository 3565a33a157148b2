#pragma once
// RzToolbar1: window class "TRzToolbar", a strip across the top of the window with a groove
// along its top edge, holding the toolbar buttons, the grooved spacers ("TRzSpacer") and the two
// check boxes, laid out one after another.
#include <windows.h>

#include <functional>
#include <string_view>

#include "app/win32/dpi.h"

namespace tc {

inline constexpr wchar_t kToolbarClass[] = L"TRzToolbar";
inline constexpr wchar_t kSpacerClass[] = L"TRzSpacer";
void RegisterToolbarClasses(HINSTANCE instance);

// A button is 16 (picture) + its caption's width + 12 wide, at least 25 (at 96 dots per inch).
int ToolButtonWidth(int captionWidth, const Scale& scale);

// Places the toolbar's items in table order from 4 pixels from the left edge: buttons at their
// computed width, spacers and check boxes at their table width, each at its table top.
void LayoutToolbar(const Scale& scale, HFONT font,
                   const std::function<HWND(std::string_view name)>& controlByName);

}  // namespace tc
