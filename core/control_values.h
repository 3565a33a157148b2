#pragma once
// The window as the schedulers and the settings see it: named values of a few kinds, read and
// written by control name (Edit3, FSetDate3, rbtColse3). The main window implements it over
// its real controls; tests implement it in memory.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/tdatetime.h"

namespace tc {

class ControlValues {
public:
    virtual ~ControlValues() = default;

    virtual std::string Text(std::string_view name) const = 0;
    // Runs the control's change handler when the text really changes (Edit9).
    virtual void SetText(std::string_view name, const std::string& text) = 0;

    // Check boxes and radio buttons. Setting a radio button clears the other of its pair.
    virtual bool Checked(std::string_view name) const = 0;
    // Runs the control's click handler when the state really changes (CheckBox1, CheckBox3).
    virtual void SetChecked(std::string_view name, bool checked) = 0;

    virtual bool Enabled(std::string_view name) const = 0;
    virtual void SetEnabled(std::string_view name, bool enabled) = 0;

    virtual bool Visible(std::string_view name) const = 0;
    virtual void SetVisible(std::string_view name, bool visible) = 0;

    // Drop-down selected index, -1 for none.
    virtual int ItemIndex(std::string_view name) const = 0;
    virtual void SetItemIndex(std::string_view name, int index) = 0;

    // Date and time pickers hold a whole TDateTime. Throws PickerRangeError for a value the
    // picker refuses; the picker then keeps its old value.
    virtual TDateTime DateTime(std::string_view name) const = 0;
    virtual void SetDateTime(std::string_view name, TDateTime value) = 0;

    // The activity box (Memo1).
    virtual void AppendActivityLine(const std::string& line) = 0;
    virtual void ClearActivity() = 0;

    // While only the program's own calls can change the values (the window out of sight): a
    // number that changes with every call that may change what a read gives, so a caller that
    // read at one number may keep what it read while the number stays. None while the user can
    // change a value at any moment: read again every time.
    virtual std::optional<std::uint64_t> Version() const = 0;
};

}  // namespace tc
