#include "support/fakes/memory_control_values.h"

#include <cmath>
#include <iterator>
#include <stdexcept>

#include "core/controls.h"
#include "core/errors.h"

namespace tc {
MemoryControlValues::MemoryControlValues()
    : pickerMin(EncodeDate(1752, 9, 14)),
      pickerMax(EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 999)) {
    for (const ControlSpec& c : ControlTable()) {
        Value v;
        v.text = std::string(c.text);
        v.checked = c.checked;
        v.visible = c.visible;
        v.itemIndex = c.itemIndex;
        values_.emplace(std::string(c.name), v);
    }
    // Toolbar buttons that run control enables and disables.
    for (const char* button : {"RzToolButton1", "RzToolButton2"}) values_.emplace(button, Value{});
    values_["RzToolButton2"].enabled = false;
}

MemoryControlValues::Value& MemoryControlValues::At(std::string_view name) {
    const auto it = values_.find(name);
    if (it == values_.end()) throw std::logic_error("no control named " + std::string(name));
    return it->second;
}

const MemoryControlValues::Value& MemoryControlValues::At(std::string_view name) const {
    const auto it = values_.find(name);
    if (it == values_.end()) throw std::logic_error("no control named " + std::string(name));
    return it->second;
}

std::string MemoryControlValues::Text(std::string_view name) const { return At(name).text; }

void MemoryControlValues::SetText(std::string_view name, const std::string& text) {
    ++version_;
    Value& v = At(name);
    if (v.text == text) return;
    v.text = text;
    if (const auto it = onChange_.find(name); it != onChange_.end() && it->second) it->second();
}

bool MemoryControlValues::Checked(std::string_view name) const { return At(name).checked; }

void MemoryControlValues::SetChecked(std::string_view name, bool checked) {
    ++version_;
    Value& v = At(name);
    if (v.checked == checked) return;
    v.checked = checked;
    const std::string partner = RadioPartner(name);
    if (checked && !partner.empty()) At(partner).checked = false;
    if (const auto it = onClick_.find(name); it != onClick_.end() && it->second) it->second();
}

bool MemoryControlValues::Enabled(std::string_view name) const { return At(name).enabled; }
void MemoryControlValues::SetEnabled(std::string_view name, bool enabled) {
    ++version_;
    At(name).enabled = enabled;
}
bool MemoryControlValues::Visible(std::string_view name) const { return At(name).visible; }
void MemoryControlValues::SetVisible(std::string_view name, bool visible) {
    ++version_;
    At(name).visible = visible;
}
int MemoryControlValues::ItemIndex(std::string_view name) const { return At(name).itemIndex; }

void MemoryControlValues::SetItemIndex(std::string_view name, int index) {
    ++version_;
    Value& v = At(name);
    // Only the drop-down's items exist: any other index leaves no item selected.
    const bool item = index >= 0 && index < static_cast<int>(std::size(kPowerCommandItems));
    v.itemIndex = item ? index : -1;
    if (item) v.text = std::string(kPowerCommandItems[index]);
}

TDateTime MemoryControlValues::DateTime(std::string_view name) const { return At(name).dateTime; }

void MemoryControlValues::SetDateTime(std::string_view name, TDateTime value) {
    ++version_;
    Value& v = At(name);
    // Compare on the time line, not the raw doubles: before 1899 the fraction counts forward.
    if (!std::isfinite(value) || ToMilliseconds(value) < ToMilliseconds(pickerMin) ||
        ToMilliseconds(value) > ToMilliseconds(pickerMax))
        throw PickerRangeError();
    v.dateTime = value;
}

void MemoryControlValues::AppendActivityLine(const std::string& line) {
    ++version_;
    activity_.push_back(line);
}
void MemoryControlValues::ClearActivity() {
    ++version_;
    activity_.clear();
}

void MemoryControlValues::OnTextChange(std::string_view name, std::function<void()> handler) {
    At(name);
    onChange_[std::string(name)] = std::move(handler);
}

void MemoryControlValues::OnClick(std::string_view name, std::function<void()> handler) {
    At(name);
    onClick_[std::string(name)] = std::move(handler);
}

}  // namespace tc
