#pragma once
// The window's named values in memory, starting from the design values of the control table.
// Like the real window, setting a text or a check state runs the handler hooked to that control
// when the value really changes; setting a radio button clears the other button of its row.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/control_values.h"

namespace tc {

class MemoryControlValues : public ControlValues {
public:
    MemoryControlValues();

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
    // Only the calls above change the values here: every write counts.
    std::optional<std::uint64_t> Version() const override { return version_; }

    // Handlers the program's own writes trigger, as the window's change and click events do.
    void OnTextChange(std::string_view name, std::function<void()> handler);
    void OnClick(std::string_view name, std::function<void()> handler);

    const std::vector<std::string>& ActivityLines() const { return activity_; }

    // The range the date and time pickers accept; values outside it are refused.
    TDateTime pickerMin;
    TDateTime pickerMax;

private:
    struct Value {
        std::string text;
        bool checked = false;
        bool enabled = true;
        bool visible = true;
        int itemIndex = -1;
        TDateTime dateTime = 0;
    };
    Value& At(std::string_view name);
    const Value& At(std::string_view name) const;

    std::map<std::string, Value, std::less<>> values_;
    std::map<std::string, std::function<void()>, std::less<>> onChange_;
    std::map<std::string, std::function<void()>, std::less<>> onClick_;
    std::vector<std::string> activity_;
    std::uint64_t version_ = 0;
};

}  // namespace tc
