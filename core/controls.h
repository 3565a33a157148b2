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

// Which typed characters a field lets through.
enum class KeyFilter {
    None,
    Picker,  // digits and backspace (KeepPickerKey)
    Digits,  // digits only (KeepDigitKey)
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
    KeyFilter keyFilter = KeyFilter::None;
};

// Every control of the window in creation order (a parent always before what it holds).
std::span<const ControlSpec> ControlTable();

// The controls that code outside the table names, by what they hold. The window's own names
// stay (the settings file, the tests and the handler names go by them); these say what each is.
inline constexpr std::string_view kToolbar = "RzToolbar1";
inline constexpr std::string_view kStartButton = "RzToolButton1";
inline constexpr std::string_view kStopButton = "RzToolButton2";
inline constexpr std::string_view kClearButton = "RzToolButton3";
inline constexpr std::string_view kExitButton = "RzToolButton4";
inline constexpr std::string_view kSaveButton = "RzToolButton5";
inline constexpr std::string_view kStartWithWindowsCheck = "chkAutorun";
inline constexpr std::string_view kAutoStartCheck = "TimeAtuoRunchk";
// The power-off group.
inline constexpr std::string_view kPowerCommandCombo = "ComboBox1";
// Its items, in the order of their indices (the index is what runs and what is stored).
inline constexpr std::string_view kPowerCommandItems[] = {"关机", "重启", "睡眠",
                                                          "休眠", "注销", "锁定"};
inline constexpr std::string_view kCountdownCheck = "CheckBox3";
inline constexpr std::string_view kCountdownMinutesEdit = "Edit9";
inline constexpr std::string_view kRemainingSecondsLabel = "Label15";
inline constexpr std::string_view kCountdownStartLabel = "Label14";
inline constexpr std::string_view kCountdownTargetLabel = "Label17";
inline constexpr std::string_view kSetMomentCheck = "CheckBox4";
inline constexpr std::string_view kSetMomentDatePicker = "dtpStartDate";
inline constexpr std::string_view kSetMomentTimePicker = "dtpStartTime";
inline constexpr std::string_view kByClockCheck = "chkTime";  // compare the time of day only
// The slot rows: a prefix and the row number, 1 to 5 (RowName).
inline constexpr int kSlotRows = 5;
inline constexpr std::string_view kSlotOnPrefix = "chk";
inline constexpr std::string_view kSlotPathPrefix = "Edit";
inline constexpr std::string_view kSlotDailyPrefix = "softchk";
inline constexpr std::string_view kSlotDatePrefix = "FSetDate";
inline constexpr std::string_view kSlotTimePrefix = "FSetTime";
inline constexpr std::string_view kOpenButtonPrefix = "rbtOp";
inline constexpr std::string_view kCloseButtonPrefix = "rbtColse";
inline constexpr std::string_view kBrowseButtonPrefix = "SpeedButton";
// The activity box, the mouse group and the status bar.
inline constexpr std::string_view kActivityMemo = "Memo1";
inline constexpr std::string_view kMouseOnCheck = "CheckBox1";
inline constexpr std::string_view kMouseStartDatePicker = "DateTimePicker1";
inline constexpr std::string_view kMouseStartTimePicker = "DateTimePicker2";
inline constexpr std::string_view kClickIntervalEdit = "Edit6";
inline constexpr std::string_view kClickXEdit = "Edit7";
inline constexpr std::string_view kClickYEdit = "Edit8";
inline constexpr std::string_view kLocateButton = "Button6";
inline constexpr std::string_view kStatusBar = "StatusBar1";
// nullptr when no control has that name.
const ControlSpec* FindControl(std::string_view name);

// The focus stops in order; both buttons of a radio pair share one place (the selected one is
// the stop).
std::vector<const ControlSpec*> FocusOrder();

// Row controls are reached by prefix and row number: RowName(kSlotDatePrefix, 3) is "FSetDate3".
std::string RowName(std::string_view prefix, int row);

// The other button of a slot row's radio pair (open <-> close); empty for any other control.
std::string RadioPartner(std::string_view name);

// The controls stored in the settings file, in the order they are saved.
std::vector<const ControlSpec*> StoredControls();

}  // namespace tc
