#include "app/focus_order.h"

#include <algorithm>
#include <vector>

#include "app/window_controls.h"
#include "core/controls.h"

namespace tc {
namespace {

// One place in the order: a control, or both buttons of a radio pair.
using Place = std::vector<HWND>;

std::vector<Place> Places(const WindowControls& controls) {
    std::vector<Place> places;
    int lastOrder = 0;
    for (const ControlSpec* entry : FocusOrder()) {
        if (entry->tabOrder != lastOrder) places.emplace_back();
        lastOrder = entry->tabOrder;
        places.back().push_back(controls.Find(entry->name));
    }
    return places;
}

// Shown and switched on, as far up as the top-level window (which itself may still be hidden).
bool CanTakeFocus(HWND hwnd) {
    if (!hwnd || !IsWindowEnabled(hwnd)) return false;
    for (HWND w = hwnd; w && (GetWindowLongW(w, GWL_STYLE) & WS_CHILD); w = GetParent(w))
        if (!(GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE)) return false;
    return true;
}

HWND StopOf(const Place& place) {
    if (place.size() == 1) return place.front();
    for (HWND button : place)
        if (SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) return button;
    return place.front();
}

bool Holds(const Place& place, HWND focus) {
    return std::ranges::any_of(place, [focus](HWND stop) {
        return stop == focus || IsChild(/*hWndParent=*/stop, /*hWnd=*/focus);
    });
}

}  // namespace

HWND NextFocusStop(const WindowControls& controls, HWND focus, bool forward) {
    const std::vector<Place> places = Places(controls);
    const int count = static_cast<int>(places.size());
    int current = -1;
    for (int i = 0; i < count; ++i)
        if (Holds(places[static_cast<std::size_t>(i)], focus)) current = i;
    if (current < 0) current = forward ? count - 1 : 0;
    for (int step = 1; step <= count; ++step) {
        const int i = ((current + (forward ? step : -step)) % count + count) % count;
        HWND stop = StopOf(places[static_cast<std::size_t>(i)]);
        if (CanTakeFocus(stop)) return stop;
    }
    return nullptr;
}

HWND FirstFocusStop(const WindowControls& controls) {
    return NextFocusStop(controls, nullptr, true);
}

}  // namespace tc
