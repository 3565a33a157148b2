#include "core/mouse.h"
#include "core/controls.h"

#include "core/convert.h"
#include "core/logs.h"
#include "platform/errors.h"

namespace tc {

void ClickAt(Input& input, Point at) {
    const Point back = input.CursorPos();
    input.SetCursorPos(at);
    for (int i = 0; i < 3; ++i) {
        input.LeftDown();
        input.LeftUp();
    }
    input.SetCursorPos(back);
}

MouseTask::MouseTask(ControlValues& values, Moments& moments, Input& input)
    : values_(values), moments_(moments), input_(input) {}

void MouseTask::MouseTick(const TickSpan& span, TDateTime now) {
    const TDateTime start = ComposeMoment(values_.DateTime(kMouseStartDatePicker),
                                          values_.DateTime(kMouseStartTimePicker));
    const std::int64_t startSecond = ToWholeSeconds(start);
    lastStart_ = startSecond;
    if (span.skipped && span.skipped->Holds(startSecond) && startClickedFor_ != startSecond &&
        startSkipped_ != startSecond) {
        // Not caught up: told once.
        startSkipped_ = startSecond;
        AddActivityLine(values_, SkippedLine("鼠标单击", startSecond, moments_.Forms()));
    }
    CheckMouseStart(start, span.due, now);

    // The repeated clicks count ticks, one per tick, whatever seconds the tick looked at.
    ++clickTickCount_;
    const std::int32_t interval = TextToInt(values_.Text(kClickIntervalEdit));
    // Reaching or passing the interval clicks, so a lowered interval or a click that failed on
    // a bad coordinate or a refused cursor does not stop the clicking for good: it is tried
    // again on the next tick. 0 or below never clicks.
    if (interval > 0 && clickTickCount_ >= interval && ClickAndLog(now)) clickTickCount_ = 0;
}

void MouseTask::CheckMouseStart(TDateTime start, DueSeconds seconds, TDateTime now) {
    const std::int64_t startSecond = ToWholeSeconds(start);
    if (startClickedFor_ == startSecond) return;
    for (const std::int64_t second : seconds) {
        if (!SameSecond(FromWholeSeconds(second), start)) continue;
        // A start click the system refuses is not tried again: its second has passed.
        const bool clicked = ClickAndLog(now);
        startClickedFor_ = startSecond;
        if (clicked) clickTickCount_ = 0;
        return;
    }
}

std::optional<PlannedAction> MouseTask::Planned(std::int64_t nowSecond) const {
    if (!lastStart_ || *lastStart_ <= nowSecond || startClickedFor_ == lastStart_)
        return std::nullopt;
    return PlannedAction{*lastStart_, "鼠标单击", {}};
}

bool MouseTask::ClickAndLog(TDateTime now) {
    // Y is converted before X: with both wrong, the message quotes Edit8.
    const std::int32_t y = TextToInt(values_.Text(kClickYEdit));
    const std::int32_t x = TextToInt(values_.Text(kClickXEdit));
    try {
        ClickAt(input_, {x, y});
    } catch (const SystemError&) {
        // The system refuses the cursor while another desktop has the input (the lock screen,
        // a consent prompt). Nothing was clicked; the status read-out already tells the user,
        // so no box comes for every tick of it.
        return false;
    }
    AddActivityLine(values_, "鼠标单击坐标-" + values_.Text(kClickXEdit) + "," +
                                 values_.Text(kClickYEdit) + "-执行时间-" +
                                 moments_.Forms().DateTimeText(now));
    return true;
}

}  // namespace tc
