#pragma once
// Push buttons that never take the keyboard focus: "TSpeedButton", the small raised browse
// buttons, and "TRzToolButton", the flat toolbar buttons with a picture left of the caption.
// A click (or BM_CLICK) of an enabled button sends WM_COMMAND BN_CLICKED to the parent.
#include <windows.h>

namespace tc {

class PictureList;

inline constexpr wchar_t kSpeedButtonClass[] = L"TSpeedButton";
inline constexpr wchar_t kToolButtonClass[] = L"TRzToolButton";
void RegisterSpeedButtonClasses(HINSTANCE instance);

// The toolbar button's picture: index into the list; the list must outlive the button.
void SetButtonPicture(HWND button, const PictureList* pictures, int index);
int ButtonPicture(HWND button);

}  // namespace tc
