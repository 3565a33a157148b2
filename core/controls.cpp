#include "core/controls.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>

namespace tc {
namespace {

// Positions and sizes are in pixels at 96 dots per inch, relative to the parent's client area.
// Toolbar items: the toolbar lays its items out one after another and computes the buttons'
// widths from their captions; the lefts and widths here are what that gives in the window font.
// Laid out by hand, a few fields to a line; clang-format would give every field a line.
// clang-format off
constexpr std::array kControls = std::to_array<ControlSpec>({
    {.name = "RzToolbar1", .kind = ControlKind::ToolBar, .text = "", .left = 0, .top = 0,
     .width = 939, .height = 29},
    {.name = "RzToolButton1", .kind = ControlKind::ToolButton, .text = "开始", .parent = "RzToolbar1",
     .left = 4, .top = 2, .width = 52, .height = 25, .picture = 0},
    {.name = "RzSpacer1", .kind = ControlKind::Spacer, .text = "", .parent = "RzToolbar1",
     .left = 56, .top = 2, .width = 8, .height = 25},
    {.name = "RzToolButton2", .kind = ControlKind::ToolButton, .text = "停止", .parent = "RzToolbar1",
     .left = 64, .top = 2, .width = 52, .height = 25, .enabled = false, .picture = 4},
    {.name = "RzSpacer2", .kind = ControlKind::Spacer, .text = "", .parent = "RzToolbar1",
     .left = 116, .top = 2, .width = 8, .height = 25},
    {.name = "RzToolButton5", .kind = ControlKind::ToolButton, .text = "保存配置",
     .parent = "RzToolbar1", .left = 124, .top = 2, .width = 76, .height = 25,
     .picture = 8},
    {.name = "RzSpacer4", .kind = ControlKind::Spacer, .text = "", .parent = "RzToolbar1",
     .left = 200, .top = 2, .width = 8, .height = 25},
    {.name = "RzToolButton3", .kind = ControlKind::ToolButton, .text = "清除信息",
     .parent = "RzToolbar1", .left = 208, .top = 2, .width = 76, .height = 25,
     .picture = 6},
    {.name = "RzSpacer3", .kind = ControlKind::Spacer, .text = "", .parent = "RzToolbar1",
     .left = 284, .top = 2, .width = 8, .height = 25},
    {.name = "RzToolButton4", .kind = ControlKind::ToolButton, .text = "退出", .parent = "RzToolbar1",
     .left = 292, .top = 2, .width = 52, .height = 25, .picture = 2},
    {.name = "RzSpacer5", .kind = ControlKind::Spacer, .text = "", .parent = "RzToolbar1",
     .left = 344, .top = 2, .width = 8, .height = 25},
    {.name = "chkAutorun", .kind = ControlKind::CheckBox, .text = "开机启动", .section = "SoftWare",
     .key = "AutoRun", .storedAs = StoredAs::Flag, .saveOrder = 2, .parent = "RzToolbar1",
     .left = 352, .top = 6, .width = 85, .height = 17, .tabOrder = 2},
    {.name = "RzSpacer6", .kind = ControlKind::Spacer, .text = "", .parent = "RzToolbar1",
     .left = 437, .top = 2, .width = 8, .height = 25},
    {.name = "TimeAtuoRunchk", .kind = ControlKind::CheckBox, .text = "软件启动后自动启动时钟",
     .section = "SoftWare", .key = "AutoTimeRun", .storedAs = StoredAs::Flag, .saveOrder = 3,
     .parent = "RzToolbar1", .left = 445, .top = 6, .width = 151, .height = 17, .tabOrder = 3},
    {.name = "GroupBox7", .kind = ControlKind::GroupBox,
     .text = "定时关机（可以同时选择倒计时和定时,时间先到执行,定时时间小于当前时间无法触发）", .left = 17, .top = 35, .width = 904,
     .height = 79},
    {.name = "Label11", .kind = ControlKind::Label, .text = "任务选择", .parent = "GroupBox7",
     .left = 17, .top = 25},
    {.name = "ComboBox1", .kind = ControlKind::ComboBox, .text = "关机", .itemIndex = 0,
     .section = "SoftWare", .key = "sysTask", .storedAs = StoredAs::ItemIndex, .saveOrder = 4,
     .parent = "GroupBox7", .left = 75, .top = 21, .width = 62, .height = 21, .tabOrder = 13},
    {.name = "CheckBox3", .kind = ControlKind::CheckBox, .text = "倒计时任务", .section = "SoftWare",
     .key = "cdTask", .storedAs = StoredAs::Flag, .saveOrder = 5, .parent = "GroupBox7",
     .left = 156, .top = 23, .width = 85, .height = 17, .tabOrder = 11},
    {.name = "Edit9", .kind = ControlKind::Edit, .text = "10", .section = "SoftWare",
     .key = "counT", .storedAs = StoredAs::Text, .saveOrder = 1, .parent = "GroupBox7", .left = 248,
     .top = 21, .width = 65, .height = 21, .tabOrder = 14},
    {.name = "Label12", .kind = ControlKind::Label, .text = "分", .parent = "GroupBox7", .left = 319,
     .top = 25},
    {.name = "Label13", .kind = ControlKind::Label, .text = "剩余：", .parent = "GroupBox7",
     .left = 344, .top = 25, .width = 33},
    {.name = "Label15", .kind = ControlKind::Label, .text = "600", .parent = "GroupBox7",
     .left = 379, .top = 25, .width = 62, .blue = true},
    {.name = "Label16", .kind = ControlKind::Label, .text = "秒", .parent = "GroupBox7", .left = 432,
     .top = 25, .width = 24},
    {.name = "Label14", .kind = ControlKind::Label, .text = "开始时间", .visible = false,
     .parent = "GroupBox7", .left = 462, .top = 24, .blue = true},
    {.name = "Label17", .kind = ControlKind::Label, .text = "预计执行时间", .visible = false,
     .parent = "GroupBox7", .left = 675, .top = 24, .blue = true},
    {.name = "CheckBox4", .kind = ControlKind::CheckBox, .text = "定时任务", .section = "SoftWare",
     .key = "ptTask", .storedAs = StoredAs::Flag, .saveOrder = 6, .parent = "GroupBox7",
     .left = 156, .top = 49, .width = 67, .height = 17, .tabOrder = 12},
    {.name = "dtpStartDate", .kind = ControlKind::DatePicker, .text = "", .section = "SoftWare",
     .key = "ptTaskDate", .storedAs = StoredAs::DateSerial, .saveOrder = 7, .parent = "GroupBox7",
     .left = 248, .top = 49, .width = 97, .height = 21, .tabOrder = 15},
    {.name = "dtpStartTime", .kind = ControlKind::TimePicker, .text = "", .section = "SoftWare",
     .key = "ptTaskTime", .storedAs = StoredAs::TimeText, .saveOrder = 8, .parent = "GroupBox7",
     .left = 351, .top = 49, .width = 101, .height = 21, .tabOrder = 16},
    {.name = "chkTime", .kind = ControlKind::CheckBox,
     .text = "按时钟执行（选择按时钟执行后年月日选择无效，每天按照H:M:S执行任务）", .section = "SoftWare", .key = "timeOn",
     .storedAs = StoredAs::Flag, .saveOrder = 9, .parent = "GroupBox7", .left = 462, .top = 49,
     .width = 421, .height = 17, .tabOrder = 17},
    {.name = "GroupBox8", .kind = ControlKind::GroupBox, .text = "定时执行程（选择程序或批处理文件）", .left = 17,
     .top = 120, .width = 905, .height = 203},
    {.name = "Label1", .kind = ControlKind::Label, .text = "选择程序或批处理文件", .parent = "GroupBox8",
     .left = 31, .top = 22},
    {.name = "Label2", .kind = ControlKind::Label, .text = "执行时间", .parent = "GroupBox8",
     .left = 531, .top = 22},
    {.name = "Label3", .kind = ControlKind::Label, .text = "执行操作", .parent = "GroupBox8",
     .left = 760, .top = 22},
    {.name = "chk1", .kind = ControlKind::CheckBox, .text = "", .section = "SoftRun",
     .key = "exechk1", .storedAs = StoredAs::Flag, .saveOrder = 15, .parent = "GroupBox8",
     .left = 10, .top = 41, .width = 19, .height = 17, .tabOrder = 38},
    {.name = "Edit1", .kind = ControlKind::Edit, .text = "E:\\qzvt.exe", .section = "SoftRun",
     .key = "exepath1", .storedAs = StoredAs::Text, .saveOrder = 10, .parent = "GroupBox8",
     .left = 31, .top = 41, .width = 389, .height = 21, .tag = 1, .tabOrder = 20},
    {.name = "SpeedButton1", .kind = ControlKind::SpeedButton, .text = "...", .parent = "GroupBox8",
     .left = 424, .top = 41, .width = 23, .height = 22, .tag = 1},
    {.name = "softchk1", .kind = ControlKind::CheckBox, .text = "按时钟执行", .section = "SoftRun",
     .key = "exeTimeOn1", .storedAs = StoredAs::Flag, .saveOrder = 20, .parent = "GroupBox8",
     .left = 450, .top = 41, .width = 80, .height = 17, .tabOrder = 43},
    {.name = "FSetDate1", .kind = ControlKind::DatePicker, .text = "", .section = "SoftRun",
     .key = "TaskDate1", .storedAs = StoredAs::DateSerial, .saveOrder = 30, .parent = "GroupBox8",
     .left = 531, .top = 41, .width = 97, .height = 21, .tabOrder = 18, .spin = true,
     .keyFilter = KeyFilter::Picker},
    {.name = "FSetTime1", .kind = ControlKind::TimePicker, .text = "", .section = "SoftRun",
     .key = "TaskTime1", .storedAs = StoredAs::TimeText, .saveOrder = 35, .parent = "GroupBox8",
     .left = 634, .top = 41, .width = 97, .height = 21, .tabOrder = 19,
     .keyFilter = KeyFilter::Picker},
    {.name = "GroupBox1", .kind = ControlKind::GroupBox, .text = "", .parent = "GroupBox8",
     .left = 735, .top = 41, .width = 162, .height = 22},
    {.name = "rbtOp1", .kind = ControlKind::RadioButton, .text = "打开程序", .checked = true,
     .section = "SoftRun", .key = "task1", .storedAs = StoredAs::OpenClose, .saveOrder = 25,
     .parent = "GroupBox1", .left = 10, .top = 1, .width = 73, .height = 17, .tabOrder = 33},
    {.name = "rbtColse1", .kind = ControlKind::RadioButton, .text = "关闭程序", .parent = "GroupBox1",
     .left = 89, .top = 1, .width = 65, .height = 17, .tabOrder = 33},
    {.name = "chk2", .kind = ControlKind::CheckBox, .text = "", .section = "SoftRun",
     .key = "exechk2", .storedAs = StoredAs::Flag, .saveOrder = 16, .parent = "GroupBox8",
     .left = 10, .top = 69, .width = 19, .height = 17, .tabOrder = 39},
    {.name = "Edit2", .kind = ControlKind::Edit, .text = "E:\\qzvt.exe", .section = "SoftRun",
     .key = "exepath2", .storedAs = StoredAs::Text, .saveOrder = 11, .parent = "GroupBox8",
     .left = 31, .top = 69, .width = 389, .height = 21, .tag = 2, .tabOrder = 23},
    {.name = "SpeedButton2", .kind = ControlKind::SpeedButton, .text = "...", .parent = "GroupBox8",
     .left = 424, .top = 69, .width = 23, .height = 22, .tag = 2},
    {.name = "softchk2", .kind = ControlKind::CheckBox, .text = "按时钟执行", .section = "SoftRun",
     .key = "exeTimeOn2", .storedAs = StoredAs::Flag, .saveOrder = 21, .parent = "GroupBox8",
     .left = 450, .top = 69, .width = 80, .height = 17, .tabOrder = 44},
    {.name = "FSetDate2", .kind = ControlKind::DatePicker, .text = "", .section = "SoftRun",
     .key = "TaskDate2", .storedAs = StoredAs::DateSerial, .saveOrder = 31, .parent = "GroupBox8",
     .left = 531, .top = 69, .width = 97, .height = 21, .tabOrder = 21, .spin = true,
     .keyFilter = KeyFilter::Picker},
    {.name = "FSetTime2", .kind = ControlKind::TimePicker, .text = "", .section = "SoftRun",
     .key = "TaskTime2", .storedAs = StoredAs::TimeText, .saveOrder = 36, .parent = "GroupBox8",
     .left = 634, .top = 69, .width = 97, .height = 21, .tabOrder = 22,
     .keyFilter = KeyFilter::Picker},
    {.name = "GroupBox2", .kind = ControlKind::GroupBox, .text = "", .parent = "GroupBox8",
     .left = 735, .top = 69, .width = 162, .height = 22},
    {.name = "rbtOp2", .kind = ControlKind::RadioButton, .text = "打开程序", .checked = true,
     .section = "SoftRun", .key = "task2", .storedAs = StoredAs::OpenClose, .saveOrder = 26,
     .parent = "GroupBox2", .left = 10, .top = 1, .width = 73, .height = 17, .tabOrder = 34},
    {.name = "rbtColse2", .kind = ControlKind::RadioButton, .text = "关闭程序", .parent = "GroupBox2",
     .left = 89, .top = 1, .width = 65, .height = 17, .tabOrder = 34},
    {.name = "chk3", .kind = ControlKind::CheckBox, .text = "", .section = "SoftRun",
     .key = "exechk3", .storedAs = StoredAs::Flag, .saveOrder = 17, .parent = "GroupBox8",
     .left = 10, .top = 97, .width = 19, .height = 17, .tabOrder = 40},
    {.name = "Edit3", .kind = ControlKind::Edit, .text = "E:\\qzvt.exe", .section = "SoftRun",
     .key = "exepath3", .storedAs = StoredAs::Text, .saveOrder = 12, .parent = "GroupBox8",
     .left = 31, .top = 97, .width = 389, .height = 21, .tag = 3, .tabOrder = 26},
    {.name = "SpeedButton3", .kind = ControlKind::SpeedButton, .text = "...", .parent = "GroupBox8",
     .left = 424, .top = 97, .width = 23, .height = 22, .tag = 3},
    {.name = "softchk3", .kind = ControlKind::CheckBox, .text = "按时钟执行", .section = "SoftRun",
     .key = "exeTimeOn3", .storedAs = StoredAs::Flag, .saveOrder = 22, .parent = "GroupBox8",
     .left = 450, .top = 97, .width = 80, .height = 17, .tabOrder = 45},
    {.name = "FSetDate3", .kind = ControlKind::DatePicker, .text = "", .section = "SoftRun",
     .key = "TaskDate3", .storedAs = StoredAs::DateSerial, .saveOrder = 32, .parent = "GroupBox8",
     .left = 531, .top = 97, .width = 97, .height = 21, .tabOrder = 24, .spin = true,
     .keyFilter = KeyFilter::Picker},
    {.name = "FSetTime3", .kind = ControlKind::TimePicker, .text = "", .section = "SoftRun",
     .key = "TaskTime3", .storedAs = StoredAs::TimeText, .saveOrder = 37, .parent = "GroupBox8",
     .left = 634, .top = 97, .width = 97, .height = 21, .tabOrder = 25,
     .keyFilter = KeyFilter::Picker},
    {.name = "GroupBox3", .kind = ControlKind::GroupBox, .text = "", .parent = "GroupBox8",
     .left = 735, .top = 97, .width = 162, .height = 22},
    {.name = "rbtOp3", .kind = ControlKind::RadioButton, .text = "打开程序", .checked = true,
     .section = "SoftRun", .key = "task3", .storedAs = StoredAs::OpenClose, .saveOrder = 27,
     .parent = "GroupBox3", .left = 10, .top = 1, .width = 73, .height = 17, .tabOrder = 35},
    {.name = "rbtColse3", .kind = ControlKind::RadioButton, .text = "关闭程序", .parent = "GroupBox3",
     .left = 89, .top = 1, .width = 65, .height = 17, .tabOrder = 35},
    {.name = "chk4", .kind = ControlKind::CheckBox, .text = "", .section = "SoftRun",
     .key = "exechk4", .storedAs = StoredAs::Flag, .saveOrder = 18, .parent = "GroupBox8",
     .left = 10, .top = 125, .width = 19, .height = 17, .tabOrder = 41},
    {.name = "Edit4", .kind = ControlKind::Edit, .text = "E:\\qzvt.exe", .section = "SoftRun",
     .key = "exepath4", .storedAs = StoredAs::Text, .saveOrder = 13, .parent = "GroupBox8",
     .left = 31, .top = 125, .width = 389, .height = 21, .tag = 4, .tabOrder = 29},
    {.name = "SpeedButton4", .kind = ControlKind::SpeedButton, .text = "...", .parent = "GroupBox8",
     .left = 424, .top = 125, .width = 23, .height = 22, .tag = 4},
    {.name = "softchk4", .kind = ControlKind::CheckBox, .text = "按时钟执行", .section = "SoftRun",
     .key = "exeTimeOn4", .storedAs = StoredAs::Flag, .saveOrder = 23, .parent = "GroupBox8",
     .left = 450, .top = 125, .width = 80, .height = 17, .tabOrder = 46},
    {.name = "FSetDate4", .kind = ControlKind::DatePicker, .text = "", .section = "SoftRun",
     .key = "TaskDate4", .storedAs = StoredAs::DateSerial, .saveOrder = 33, .parent = "GroupBox8",
     .left = 531, .top = 125, .width = 97, .height = 21, .tabOrder = 27, .spin = true,
     .keyFilter = KeyFilter::Picker},
    {.name = "FSetTime4", .kind = ControlKind::TimePicker, .text = "", .section = "SoftRun",
     .key = "TaskTime4", .storedAs = StoredAs::TimeText, .saveOrder = 38, .parent = "GroupBox8",
     .left = 634, .top = 125, .width = 97, .height = 21, .tabOrder = 28,
     .keyFilter = KeyFilter::Picker},
    {.name = "GroupBox4", .kind = ControlKind::GroupBox, .text = "", .parent = "GroupBox8",
     .left = 735, .top = 125, .width = 162, .height = 22},
    {.name = "rbtOp4", .kind = ControlKind::RadioButton, .text = "打开程序", .checked = true,
     .section = "SoftRun", .key = "task4", .storedAs = StoredAs::OpenClose, .saveOrder = 28,
     .parent = "GroupBox4", .left = 10, .top = 1, .width = 73, .height = 17, .tabOrder = 36},
    {.name = "rbtColse4", .kind = ControlKind::RadioButton, .text = "关闭程序", .parent = "GroupBox4",
     .left = 89, .top = 1, .width = 65, .height = 17, .tabOrder = 36},
    {.name = "chk5", .kind = ControlKind::CheckBox, .text = "", .section = "SoftRun",
     .key = "exechk5", .storedAs = StoredAs::Flag, .saveOrder = 19, .parent = "GroupBox8",
     .left = 10, .top = 153, .width = 19, .height = 17, .tabOrder = 42},
    {.name = "Edit5", .kind = ControlKind::Edit, .text = "E:\\qzvt.exe", .section = "SoftRun",
     .key = "exepath5", .storedAs = StoredAs::Text, .saveOrder = 14, .parent = "GroupBox8",
     .left = 31, .top = 153, .width = 389, .height = 21, .tag = 5, .tabOrder = 32},
    {.name = "SpeedButton5", .kind = ControlKind::SpeedButton, .text = "...", .parent = "GroupBox8",
     .left = 424, .top = 153, .width = 23, .height = 22, .tag = 5},
    {.name = "softchk5", .kind = ControlKind::CheckBox, .text = "按时钟执行", .section = "SoftRun",
     .key = "exeTimeOn5", .storedAs = StoredAs::Flag, .saveOrder = 24, .parent = "GroupBox8",
     .left = 450, .top = 153, .width = 80, .height = 17, .tabOrder = 47},
    {.name = "FSetDate5", .kind = ControlKind::DatePicker, .text = "", .section = "SoftRun",
     .key = "TaskDate5", .storedAs = StoredAs::DateSerial, .saveOrder = 34, .parent = "GroupBox8",
     .left = 531, .top = 153, .width = 97, .height = 21, .tabOrder = 30, .spin = true,
     .keyFilter = KeyFilter::Picker},
    {.name = "FSetTime5", .kind = ControlKind::TimePicker, .text = "", .section = "SoftRun",
     .key = "TaskTime5", .storedAs = StoredAs::TimeText, .saveOrder = 39, .parent = "GroupBox8",
     .left = 634, .top = 153, .width = 97, .height = 21, .tabOrder = 31,
     .keyFilter = KeyFilter::Picker},
    {.name = "GroupBox5", .kind = ControlKind::GroupBox, .text = "", .parent = "GroupBox8",
     .left = 735, .top = 153, .width = 162, .height = 22},
    {.name = "rbtOp5", .kind = ControlKind::RadioButton, .text = "打开程序", .checked = true,
     .section = "SoftRun", .key = "task5", .storedAs = StoredAs::OpenClose, .saveOrder = 29,
     .parent = "GroupBox5", .left = 10, .top = 1, .width = 73, .height = 17, .tabOrder = 37},
    {.name = "rbtColse5", .kind = ControlKind::RadioButton, .text = "关闭程序", .parent = "GroupBox5",
     .left = 89, .top = 1, .width = 65, .height = 17, .tabOrder = 37},
    {.name = "Label5", .kind = ControlKind::Label, .text = "只能关闭和程序名相同的进程", .parent = "GroupBox8",
     .left = 741, .top = 181, .blue = true},
    {.name = "Label4", .kind = ControlKind::Label, .text = "信息显示", .left = 19, .top = 328},
    {.name = "Memo1", .kind = ControlKind::Memo, .text = "", .left = 17, .top = 350, .width = 610,
     .height = 199, .tabOrder = 1},
    {.name = "GroupBox6", .kind = ControlKind::GroupBox, .text = "鼠标事件", .left = 633, .top = 328,
     .width = 288, .height = 221},
    {.name = "CheckBox1", .kind = ControlKind::CheckBox, .text = "启用鼠标单击", .parent = "GroupBox6",
     .left = 19, .top = 22, .width = 97, .height = 17, .tabOrder = 4},
    {.name = "Label18", .kind = ControlKind::Label, .text = "无法保存,运行程序手动勾选", .parent = "GroupBox6",
     .left = 121, .top = 25, .blue = true},
    {.name = "Label6", .kind = ControlKind::Label, .text = "启用时间", .parent = "GroupBox6",
     .left = 19, .top = 54},
    {.name = "DateTimePicker1", .kind = ControlKind::DatePicker, .text = "", .parent = "GroupBox6",
     .left = 19, .top = 73, .width = 97, .height = 21, .tabOrder = 5, .spin = true,
     .keyFilter = KeyFilter::Picker},
    {.name = "DateTimePicker2", .kind = ControlKind::TimePicker, .text = "", .parent = "GroupBox6",
     .left = 122, .top = 73, .width = 97, .height = 21, .tabOrder = 6,
     .keyFilter = KeyFilter::Picker},
    {.name = "Label7", .kind = ControlKind::Label, .text = "时间间隔", .parent = "GroupBox6",
     .left = 19, .top = 110},
    {.name = "Label10", .kind = ControlKind::Label,
     .text = "启用鼠标点击后如果\r\n"
             "启用时间小于当前时\r\n"
             "间则默认间隔时间计时\r\n"
             "鼠标点击坐标可以参考\r\n"
             "右下角鼠标实时坐标定位",
     .parent = "GroupBox6", .left = 148, .top = 110, .width = 132, .height = 65, .blue = true},
    {.name = "Edit6", .kind = ControlKind::Edit, .text = "1", .section = "MouseRun",
     .key = "timeInv", .storedAs = StoredAs::Text, .saveOrder = 40, .parent = "GroupBox6",
     .left = 19, .top = 129, .width = 97, .height = 21, .tabOrder = 7,
     .keyFilter = KeyFilter::Digits},
    {.name = "Label8", .kind = ControlKind::Label, .text = "秒", .parent = "GroupBox6", .left = 122,
     .top = 132},
    {.name = "Label9", .kind = ControlKind::Label, .text = "鼠标单击坐标点", .parent = "GroupBox6",
     .left = 19, .top = 167},
    {.name = "Edit7", .kind = ControlKind::Edit, .text = "1080", .section = "MouseRun",
     .key = "mouseX", .storedAs = StoredAs::Text, .saveOrder = 41, .parent = "GroupBox6",
     .left = 19, .top = 186, .width = 97, .height = 21, .tabOrder = 8,
     .keyFilter = KeyFilter::Digits},
    {.name = "Edit8", .kind = ControlKind::Edit, .text = "654", .section = "MouseRun",
     .key = "mouseY", .storedAs = StoredAs::Text, .saveOrder = 42, .parent = "GroupBox6",
     .left = 122, .top = 186, .width = 97, .height = 21, .tabOrder = 9,
     .keyFilter = KeyFilter::Digits},
    {.name = "Button6", .kind = ControlKind::Button, .text = "鼠标定位", .parent = "GroupBox6",
     .left = 224, .top = 186, .width = 61, .height = 22, .tabOrder = 10},
    {.name = "StatusBar1", .kind = ControlKind::StatusBar, .text = "", .left = 0, .top = 560,
     .width = 939, .height = 19},
});
// clang-format on

}  // namespace

std::span<const ControlSpec> ControlTable() { return kControls; }

const ControlSpec* FindControl(std::string_view name) {
    // Looked up by name some forty times a second while the clock runs: one hash table, made
    // at the first look-up.
    static const std::unordered_map<std::string_view, const ControlSpec*> byName = [] {
        std::unordered_map<std::string_view, const ControlSpec*> table;
        for (const ControlSpec& c : kControls) table.emplace(c.name, &c);
        return table;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

std::vector<const ControlSpec*> FocusOrder() {
    std::vector<const ControlSpec*> stops;
    for (const ControlSpec& c : kControls)
        if (c.tabOrder > 0) stops.push_back(&c);
    std::stable_sort(stops.begin(), stops.end(), [](const ControlSpec* a, const ControlSpec* b) {
        return a->tabOrder < b->tabOrder;
    });
    return stops;
}

std::string RowName(std::string_view prefix, int row) {
    return std::string(prefix) + std::to_string(row);
}

std::string RadioPartner(std::string_view name) {
    if (name.starts_with(kOpenButtonPrefix))
        return std::string(kCloseButtonPrefix) + std::string(name.substr(kOpenButtonPrefix.size()));
    if (name.starts_with(kCloseButtonPrefix))
        return std::string(kOpenButtonPrefix) + std::string(name.substr(kCloseButtonPrefix.size()));
    return {};
}

std::vector<const ControlSpec*> StoredControls() {
    std::vector<const ControlSpec*> stored;
    for (const ControlSpec& c : kControls)
        if (c.storedAs != StoredAs::None) stored.push_back(&c);
    std::stable_sort(stored.begin(), stored.end(), [](const ControlSpec* a, const ControlSpec* b) {
        return a->saveOrder < b->saveOrder;
    });
    return stored;
}

}  // namespace tc
