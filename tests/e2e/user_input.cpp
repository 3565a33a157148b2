#include "user_input.h"

namespace tc::e2e {
namespace {

INPUT MouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

INPUT Key(WORD virtualKey, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = flags;
    return input;
}

}  // namespace

bool MoveMouseTo(POINT point) {
    // Under Wine the move reaches the display a moment later, and the first move of a process
    // can be overtaken by the desktop placing the cursor itself: move until it is there.
    for (int attempt = 0; attempt < 40; ++attempt) {
        SetCursorPos(point.x, point.y);
        Sleep(50);
        POINT now{};
        if (GetCursorPos(&now) && now.x == point.x && now.y == point.y) return true;
    }
    return false;
}

bool Click(POINT point) {
    if (!MoveMouseTo(point)) return false;
    INPUT clicks[] = {MouseButton(MOUSEEVENTF_LEFTDOWN), MouseButton(MOUSEEVENTF_LEFTUP)};
    return SendInput(2, clicks, sizeof(INPUT)) == 2;
}

bool DoubleClick(POINT point) {
    if (!MoveMouseTo(point)) return false;
    INPUT clicks[] = {MouseButton(MOUSEEVENTF_LEFTDOWN), MouseButton(MOUSEEVENTF_LEFTUP),
                      MouseButton(MOUSEEVENTF_LEFTDOWN), MouseButton(MOUSEEVENTF_LEFTUP)};
    return SendInput(4, clicks, sizeof(INPUT)) == 4;
}

void PressKey(WORD virtualKey) {
    INPUT keys[] = {Key(virtualKey, 0), Key(virtualKey, KEYEVENTF_KEYUP)};
    SendInput(2, keys, sizeof(INPUT));
}

}  // namespace tc::e2e
