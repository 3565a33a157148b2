#pragma once
// Every named control of the main window, listed once: its kind, design value and, where it has
// one, the settings key it is stored under. The window builds its controls from this table, the
// in-memory window of the tests starts from it, and the settings file reads its keys from it.
#include <span>
#include <string_view>

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
    std::string_view text;       // design text (or caption)
    bool checked = false;        // design state of check boxes and radio buttons
    bool visible = true;
    int itemIndex = -1;          // drop-downs
    std::string_view section{};  // settings section, empty when not stored
    std::string_view key{};
    StoredAs storedAs = StoredAs::None;
    int saveOrder = 0;           // position among the stored keys, 1 first
};

// The controls that hold values (labels that the program writes included).
std::span<const ControlSpec> ControlTable();
// nullptr when no control has that name.
const ControlSpec* FindControl(std::string_view name);

// Row controls are reached by prefix and row number: RowName("FSetDate", 3) is "FSetDate3".
std::string RowName(std::string_view prefix, int row);

}  // namespace tc
