#pragma once
// Where a user finds the things the tests click and read: points of the main window's client
// area in pixels at 96 dots per inch, from the window's published layout (the toolbar from its
// left edge, the mouse group "鼠标事件" at 633, 328 with its controls inside it).
namespace tc::e2e::layout {

struct ClientPoint {
    int x;
    int y;
};

// Toolbar buttons: the middle of "保存配置" (124, 2, 76 × 25) and "退出" (292, 2, 52 × 25).
constexpr ClientPoint kSaveButton{124 + 38, 2 + 12};
constexpr ClientPoint kExitButton{292 + 26, 2 + 12};

// Countdown minutes Edit9 in the power-off group (17, 35): at 248, 21, 65 wide.
constexpr ClientPoint kEdit9{17 + 248 + 30, 35 + 21 + 10};
// The information box Memo1: 17, 350, 610 × 199.
constexpr ClientPoint kMemo1{17 + 300, 350 + 100};

// The mouse group: the box of "启用鼠标单击" (19, 22), the interval Edit6 (19, 129) and the
// click point's X, Edit7 (19, 186), both 97 wide.
constexpr int kMouseLeft = 633, kMouseTop = 328;
constexpr ClientPoint kCheckBox1{kMouseLeft + 19 + 7, kMouseTop + 22 + 8};
constexpr ClientPoint kEdit6{kMouseLeft + 19 + 48, kMouseTop + 129 + 10};
constexpr ClientPoint kEdit7{kMouseLeft + 19 + 48, kMouseTop + 186 + 10};

}  // namespace tc::e2e::layout
