#include "core/controls.h"

#include <array>
#include <string>

namespace tc {
namespace {

// name, kind, design text, checked, visible, selected index, section, key, stored as, save order
constexpr std::array kControls = std::to_array<ControlSpec>({
    {"ComboBox1", ControlKind::ComboBox, "关机", false, true, 0, "SoftWare", "sysTask", StoredAs::ItemIndex, 4},
    {"CheckBox3", ControlKind::CheckBox, "倒计时任务", false, true, -1, "SoftWare", "cdTask", StoredAs::Flag, 5},
    {"Edit9", ControlKind::Edit, "10", false, true, -1, "SoftWare", "counT", StoredAs::Text, 1},
    {"Label15", ControlKind::Label, "600", false, true, -1},
    {"Label14", ControlKind::Label, "开始时间", false, false, -1},
    {"Label17", ControlKind::Label, "预计执行时间", false, false, -1},
    {"CheckBox4", ControlKind::CheckBox, "定时任务", false, true, -1, "SoftWare", "ptTask", StoredAs::Flag, 6},
    {"dtpStartDate", ControlKind::DatePicker, "", false, true, -1, "SoftWare", "ptTaskDate", StoredAs::DateSerial, 7},
    {"dtpStartTime", ControlKind::TimePicker, "", false, true, -1, "SoftWare", "ptTaskTime", StoredAs::TimeText, 8},
    {"chkTime", ControlKind::CheckBox, "按时钟执行（选择按时钟执行后年月日选择无效，每天按照H:M:S执行任务）", false, true, -1, "SoftWare", "timeOn", StoredAs::Flag, 9},
    {"chkAutorun", ControlKind::CheckBox, "开机启动", false, true, -1, "SoftWare", "AutoRun", StoredAs::Flag, 2},
    {"TimeAtuoRunchk", ControlKind::CheckBox, "软件启动后自动启动时钟", false, true, -1, "SoftWare", "AutoTimeRun", StoredAs::Flag, 3},
    {"chk1", ControlKind::CheckBox, "", false, true, -1, "SoftRun", "exechk1", StoredAs::Flag, 15},
    {"Edit1", ControlKind::Edit, "E:\\qzvt.exe", false, true, -1, "SoftRun", "exepath1", StoredAs::Text, 10},
    {"softchk1", ControlKind::CheckBox, "按时钟执行", false, true, -1, "SoftRun", "exeTimeOn1", StoredAs::Flag, 20},
    {"FSetDate1", ControlKind::DatePicker, "", false, true, -1, "SoftRun", "TaskDate1", StoredAs::DateSerial, 30},
    {"FSetTime1", ControlKind::TimePicker, "", false, true, -1, "SoftRun", "TaskTime1", StoredAs::TimeText, 35},
    {"rbtOp1", ControlKind::RadioButton, "打开程序", true, true, -1, "SoftRun", "task1", StoredAs::OpenClose, 25},
    {"rbtColse1", ControlKind::RadioButton, "关闭程序", false, true, -1},
    {"chk2", ControlKind::CheckBox, "", false, true, -1, "SoftRun", "exechk2", StoredAs::Flag, 16},
    {"Edit2", ControlKind::Edit, "E:\\qzvt.exe", false, true, -1, "SoftRun", "exepath2", StoredAs::Text, 11},
    {"softchk2", ControlKind::CheckBox, "按时钟执行", false, true, -1, "SoftRun", "exeTimeOn2", StoredAs::Flag, 21},
    {"FSetDate2", ControlKind::DatePicker, "", false, true, -1, "SoftRun", "TaskDate2", StoredAs::DateSerial, 31},
    {"FSetTime2", ControlKind::TimePicker, "", false, true, -1, "SoftRun", "TaskTime2", StoredAs::TimeText, 36},
    {"rbtOp2", ControlKind::RadioButton, "打开程序", true, true, -1, "SoftRun", "task2", StoredAs::OpenClose, 26},
    {"rbtColse2", ControlKind::RadioButton, "关闭程序", false, true, -1},
    {"chk3", ControlKind::CheckBox, "", false, true, -1, "SoftRun", "exechk3", StoredAs::Flag, 17},
    {"Edit3", ControlKind::Edit, "E:\\qzvt.exe", false, true, -1, "SoftRun", "exepath3", StoredAs::Text, 12},
    {"softchk3", ControlKind::CheckBox, "按时钟执行", false, true, -1, "SoftRun", "exeTimeOn3", StoredAs::Flag, 22},
    {"FSetDate3", ControlKind::DatePicker, "", false, true, -1, "SoftRun", "TaskDate3", StoredAs::DateSerial, 32},
    {"FSetTime3", ControlKind::TimePicker, "", false, true, -1, "SoftRun", "TaskTime3", StoredAs::TimeText, 37},
    {"rbtOp3", ControlKind::RadioButton, "打开程序", true, true, -1, "SoftRun", "task3", StoredAs::OpenClose, 27},
    {"rbtColse3", ControlKind::RadioButton, "关闭程序", false, true, -1},
    {"chk4", ControlKind::CheckBox, "", false, true, -1, "SoftRun", "exechk4", StoredAs::Flag, 18},
    {"Edit4", ControlKind::Edit, "E:\\qzvt.exe", false, true, -1, "SoftRun", "exepath4", StoredAs::Text, 13},
    {"softchk4", ControlKind::CheckBox, "按时钟执行", false, true, -1, "SoftRun", "exeTimeOn4", StoredAs::Flag, 23},
    {"FSetDate4", ControlKind::DatePicker, "", false, true, -1, "SoftRun", "TaskDate4", StoredAs::DateSerial, 33},
    {"FSetTime4", ControlKind::TimePicker, "", false, true, -1, "SoftRun", "TaskTime4", StoredAs::TimeText, 38},
    {"rbtOp4", ControlKind::RadioButton, "打开程序", true, true, -1, "SoftRun", "task4", StoredAs::OpenClose, 28},
    {"rbtColse4", ControlKind::RadioButton, "关闭程序", false, true, -1},
    {"chk5", ControlKind::CheckBox, "", false, true, -1, "SoftRun", "exechk5", StoredAs::Flag, 19},
    {"Edit5", ControlKind::Edit, "E:\\qzvt.exe", false, true, -1, "SoftRun", "exepath5", StoredAs::Text, 14},
    {"softchk5", ControlKind::CheckBox, "按时钟执行", false, true, -1, "SoftRun", "exeTimeOn5", StoredAs::Flag, 24},
    {"FSetDate5", ControlKind::DatePicker, "", false, true, -1, "SoftRun", "TaskDate5", StoredAs::DateSerial, 34},
    {"FSetTime5", ControlKind::TimePicker, "", false, true, -1, "SoftRun", "TaskTime5", StoredAs::TimeText, 39},
    {"rbtOp5", ControlKind::RadioButton, "打开程序", true, true, -1, "SoftRun", "task5", StoredAs::OpenClose, 29},
    {"rbtColse5", ControlKind::RadioButton, "关闭程序", false, true, -1},
    {"Memo1", ControlKind::Memo, "", false, true, -1},
    {"CheckBox1", ControlKind::CheckBox, "启用鼠标单击", false, true, -1},
    {"DateTimePicker1", ControlKind::DatePicker, "", false, true, -1},
    {"DateTimePicker2", ControlKind::TimePicker, "", false, true, -1},
    {"Edit6", ControlKind::Edit, "1", false, true, -1, "MouseRun", "timeInv", StoredAs::Text, 40},
    {"Edit7", ControlKind::Edit, "1080", false, true, -1, "MouseRun", "mouseX", StoredAs::Text, 41},
    {"Edit8", ControlKind::Edit, "654", false, true, -1, "MouseRun", "mouseY", StoredAs::Text, 42},
});

}  // namespace

std::span<const ControlSpec> ControlTable() { return kControls; }

const ControlSpec* FindControl(std::string_view name) {
    for (const ControlSpec& c : kControls)
        if (c.name == name) return &c;
    return nullptr;
}

std::string RowName(std::string_view prefix, int row) {
    return std::string(prefix) + std::to_string(row);
}

}  // namespace tc
