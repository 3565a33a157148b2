#pragma once
// Window class "TGroupBox": an etched frame with an optional caption that holds other controls
// (the three groups and the caption-less frames that pair the radio buttons of a slot row).
#include <windows.h>

namespace tc {

inline constexpr wchar_t kGroupBoxClass[] = L"TGroupBox";
void RegisterGroupBoxClass(HINSTANCE instance);

}  // namespace tc
