#pragma once
// Every named control of the main window, listed once: its kind, design value and, where it has
// one, the settings key it is stored under. The window builds its controls from this table, the
// in-memory window of the tests starts from it, and the settings file reads its keys from it.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tc {

enum class ControlKind {
    Label,
    Edit,
    Memo,
    CheckBox,
    RadioButton,
    ComboBox,
    DatePicker,
    TimePicker,
    Button,
    // Kinds that only the window itself uses (added after the value kinds above).
    GroupBox,     // a frame, with or without caption, that holds other controls
    SpeedButton,  // a small raised push button that takes no focus
    ToolBar,
    ToolButton,  // a flat toolbar button with a picture left of its caption
    Spacer,      // a grooved vertical separator on the toolbar
    StatusBar,
};

// How a control's value is stored in config.ini.
enum class StoredAs {
    None,
    Text,        // the text as typed
    Flag,        // "1" ticked, "0" not; loads as ticked exactly when "1"
    ItemIndex,   // decimal selected index, -1 for none
    OpenClose,   // "0" when the row's open button is selected, otherwise "1"
    DateSerial,  // the picker's whole value as a number; loading applies the date only
    TimeText,    // the long time form; loading applies the time of day only
};

struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    std::string_view text;  // design text (or caption)
    bool checked = false;   // design state of check boxes and radio buttons
    bool visible = true;
    int itemIndex = -1;          // drop-downs
    std::string_view section{};  // settings section, empty when not stored
    std::string_view key{};
    StoredAs storedAs = StoredAs::None;
    int saveOrder = 0;  // position among the stored keys, 1 first

    // Window layout, in pixels at 96 dots per inch.
    std::string_view parent{};  // the control that holds it; empty for the window's client area
    int left = 0;               // relative to the parent's client area
    int top = 0;
    int width = 0;      // labels: 0 sizes the label to its text
    int height = 0;     // labels: 0 sizes the label to its text
    bool blue = false;  // text in blue (the informative notes and countdown values)
    int tag = 0;        // row number of the browse buttons and path fields
    int tabOrder = 0;   // position in the keyboard focus order, 1 first; 0: no stop
    bool enabled = true;
    int picture = -1;   // toolbar buttons: index in the picture list
    bool spin = false;  // date pickers stepped with spin buttons instead of a calendar
};

// Every control of the window in creation order (a parent always before what it holds).
std::span<const ControlSpec> ControlTable();
// nullptr when no control has that name.
const ControlSpec* FindControl(std::string_view name);

// The focus stops in order; both buttons of a radio pair share one place (the selected one is
// the stop).
std::vector<const ControlSpec*> FocusOrder();

// Row controls are reached by prefix and row number: RowName("FSetDate", 3) is "FSetDate3".
std::string RowName(std::string_view prefix, int row);

}  // namespace tc
