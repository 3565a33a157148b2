#pragma once
// The window's named values over its real controls. Like the user's actions, the program's own
// writes run the control's handler when the value really changes: a text change of Edit9 runs
// its change handler, a new state of CheckBox1 or CheckBox3 its click handler. Those handlers
// run inside the call, so their errors reach the caller.
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/win32/win32_window.h"
#include "core/control_values.h"

namespace tc {

class WindowControls;

class Win32ControlValues : public ControlValues {
public:
    // fitLabel: resizes a label that is sized to its text after its text changed.
    Win32ControlValues(const WindowControls& controls,
                       std::function<void(std::string_view)> fitLabel);

    std::string Text(std::string_view name) const override;
    void SetText(std::string_view name, const std::string& text) override;
    bool Checked(std::string_view name) const override;
    void SetChecked(std::string_view name, bool checked) override;
    bool Enabled(std::string_view name) const override;
    void SetEnabled(std::string_view name, bool enabled) override;
    bool Visible(std::string_view name) const override;
    void SetVisible(std::string_view name, bool visible) override;
    int ItemIndex(std::string_view name) const override;
    void SetItemIndex(std::string_view name, int index) override;
    TDateTime DateTime(std::string_view name) const override;
    void SetDateTime(std::string_view name, TDateTime value) override;
    void AppendActivityLine(const std::string& line) override;
    void ClearActivity() override;
    std::optional<std::uint64_t> Version() const override;

    void OnTextChange(std::string_view name, std::function<void()> handler);
    void OnClick(std::string_view name, std::function<void()> handler);
    // True while SetText writes a text: the window then does not run the change handler itself.
    bool Writing() const { return writing_; }

    // While the window cannot be seen, only the program changes its controls, yet the
    // schedulers read some forty values a second, and under Wine each read is several calls
    // into the window system; and each line appended to the information box costs as much as
    // the box is long. So while out of sight, a value read is kept and served again until the
    // program writes that control or a control tells the window of a change (ForgetReads), and
    // appended lines are held, to go into the box in one piece when it is read, cleared or seen
    // again. Back in sight, everything kept is forgotten and the held lines go in before the
    // window is painted.
    void SetOutOfSight(bool outOfSight);
    void ForgetReads();

private:
    // The values of one control that were read while reads are kept.
    struct Kept {
        std::optional<std::string> text;
        std::optional<bool> checked;
        std::optional<int> itemIndex;
        std::optional<TDateTime> dateTime;
    };
    // Where a read of `name` is kept, or none while reads are not kept.
    Kept* KeptFor(std::string_view name) const;
    void Forget(std::string_view name);

    HWND At(std::string_view name) const;
    // The activity box's text of `length` characters is empty or ends with a line break.
    bool ActivityEndsAtLineStart(HWND memo, int length) const;
    // Puts the held lines into the activity box.
    void AppendHeldLines() const;
    static void Run(const std::map<std::string, std::function<void()>, std::less<>>& handlers,
                    std::string_view name);

    const WindowControls& controls_;
    std::function<void(std::string_view)> fitLabel_;
    std::map<std::string, std::function<void()>, std::less<>> onChange_;
    std::map<std::string, std::function<void()>, std::less<>> onClick_;
    bool writing_ = false;
    bool outOfSight_ = false;
    mutable std::vector<Kept> kept_;  // by the control's place in the control table
    // Goes up whenever something kept is forgotten or a value that is not kept is written.
    std::uint64_t version_ = 0;
    mutable std::vector<std::string> heldLines_;
    // The activity box's length right after the last append that left it ending with a line
    // break; -1 when there was none.
    mutable int appendedLength_ = -1;
};

// A drop-down whose text the user edits: the item whose text equals the typed text becomes the
// selected one, and with no such item none is, so what the field shows is what runs. The typed
// text and the caret stay as they are.
void SelectItemOfTypedText(HWND comboBox);

}  // namespace tc
