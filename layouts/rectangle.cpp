// The calculator window of the rectangular column 暗柱;
// its inputs and formula are in the file of the same name, sections/rectangle.cpp.
// Positions are relative to the container: the client area, or the outer
// top-left corner of the group box. Tab -1: a picture, which takes no tab position.
#include "layouts/windows.h"

namespace dravik::layouts {
namespace {

using enum ControlClass;
using enum TextColour;
using enum StoredPicture;

// clang-format off
constexpr ControlRecord kControls[] = {
    // name        class          container  left top width height tab  caption / font px / colour / tooltip / read-only / picture / buddy
    {"Frame6", GroupBox, "", 8, 8, 233, 417, 8, "第一步：输入计算参数", 0, Red, "", false, NoPicture, ""},
    {"Frame7", GroupBox, "Frame6", 0, 32, 233, 81, 9, "尺寸参数", 0, System, "", false, NoPicture, ""},
    {"Label5", Label, "Frame7", 8, 16, 81, 25, 10, "长度a（mm）", 0, System, "底部长", false, NoPicture, "a"},
    {"Label6", Label, "Frame7", 120, 16, 81, 25, 11, "高度b（mm）", 0, System, "总高度", false, NoPicture, "b"},
    {"a", ComboBox, "Frame7", 8, 32, 65, 20, 26, "", 0, System, "", false, NoPicture, ""},
    {"b", ComboBox, "Frame7", 120, 32, 65, 20, 27, "", 0, System, "", false, NoPicture, ""},
    {"Frame9", GroupBox, "Frame6", 0, 128, 233, 97, 15, "纵筋参数", 0, System, "", false, NoPicture, ""},
    {"Label16", Label, "Frame9", 8, 16, 105, 25, 19, "纵筋1直径（mm）", 0, System, "大钢筋直径", false, NoPicture, "zj1zj"},
    {"Label15", Label, "Frame9", 120, 16, 97, 17, 18, "纵筋2直径（mm）", 0, System, "小钢筋直径", false, NoPicture, "zj2zj"},
    {"zj1zj", ComboBox, "Frame9", 8, 32, 65, 20, 20, "", 0, System, "", false, NoPicture, ""},
    {"zj2zj", ComboBox, "Frame9", 120, 32, 65, 20, 21, "", 0, System, "", false, NoPicture, ""},
    {"Label14", Label, "Frame9", 8, 56, 105, 25, 17, "纵筋1数量（根）", 0, System, "", false, NoPicture, "zj1sl"},
    {"Label12", Label, "Frame9", 120, 56, 97, 25, 16, "纵筋2数量（根）", 0, System, "", false, NoPicture, "zj2sl"},
    {"zj1sl", ComboBox, "Frame9", 8, 72, 65, 20, 24, "", 0, System, "", false, NoPicture, ""},
    {"zj2sl", ComboBox, "Frame9", 120, 72, 65, 20, 25, "", 0, System, "", false, NoPicture, ""},
    {"Frame8", GroupBox, "Frame6", 0, 240, 233, 153, 12, "箍筋参数", 0, System, "", false, NoPicture, ""},
    {"Label9", Label, "Frame8", 8, 16, 105, 25, 13, "大箍直径（mm）", 0, System, "用于外箍", false, NoPicture, "dgzj"},
    {"Label8", Label, "Frame8", 96, 16, 121, 25, 14, "小箍、拉筋直径（mm）", 0, System, "用于内箍及拉筋", false, NoPicture, "xgzj"},
    {"dgzj", ComboBox, "Frame8", 8, 32, 65, 20, 22, "", 0, System, "", false, NoPicture, ""},
    {"xgzj", ComboBox, "Frame8", 120, 32, 65, 20, 23, "", 0, System, "", false, NoPicture, ""},
    {"Label7", Label, "Frame8", 8, 64, 105, 25, 29, "横向数量（根）", 0, System, "", false, NoPicture, "hxsl"},
    {"Label4", Label, "Frame8", 120, 64, 97, 25, 28, "纵向数量（根）", 0, System, "", false, NoPicture, "zxsl"},
    {"hxsl", ComboBox, "Frame8", 8, 80, 65, 20, 30, "", 0, System, "", false, NoPicture, ""},
    {"zxsl", ComboBox, "Frame8", 120, 80, 65, 20, 31, "", 0, System, "", false, NoPicture, ""},
    {"Label13", Label, "Frame8", 8, 104, 105, 25, 32, "箍筋间距（mm）", 0, System, "", false, NoPicture, "gjjj"},
    {"Label3", Label, "Frame8", 120, 104, 97, 17, 35, "保护层厚（mm）", 0, System, "", false, NoPicture, "bhhd"},
    {"gjjj", ComboBox, "Frame8", 8, 120, 65, 20, 33, "", 0, System, "", false, NoPicture, ""},
    {"bhhd", ComboBox, "Frame8", 120, 120, 65, 20, 36, "", 0, System, "", false, NoPicture, ""},
    {"Frame5", GroupBox, "", 248, 8, 217, 225, 2, "计算示意图", 0, System, "", false, NoPicture, ""},
    {"Image1", Picture, "Frame5", 8, 16, 199, 195, -1, "", 0, System, "", false, SectionRectangle, ""},
    {"Frame1", GroupBox, "", 248, 248, 217, 297, 0, "计算结果", 0, Blue, "", false, NoPicture, ""},
    {"Label17", Label, "Frame1", 8, 16, 145, 17, 34, "纵筋率（％）", 0, System, "", false, NoPicture, "zjl"},
    {"Label10", Label, "Frame1", 96, 16, 105, 17, 39, "纵筋面积（mm2）", 0, System, "", false, NoPicture, "zjmj"},
    {"zjl", TextBox, "Frame1", 8, 32, 68, 18, 1, "", 16, Blue, "", true, NoPicture, ""},
    {"zjmj", TextBox, "Frame1", 96, 32, 68, 18, 40, "", 16, Blue, "", true, NoPicture, ""},
    {"Label2", Label, "Frame1", 8, 56, 97, 17, 7, "体积配箍率（％）", 0, System, "", false, NoPicture, "tjpgl"},
    {"tjpgl", TextBox, "Frame1", 8, 72, 68, 18, 6, "", 16, Blue, "", true, NoPicture, ""},
    {"Image2", Picture, "Frame1", 32, 96, 152, 103, -1, "", 0, System, kLogoTooltip, false, Logo, ""},
    {"Label1", Label, "Frame1", 8, 208, 201, 81, 38, kCalculatorDisclaimer, 0, Blue, "", false, NoPicture, ""},
    {"Frame3", GroupBox, "", 8, 432, 233, 113, 3, " 第二步：选择操作", 0, Red, "", false, NoPicture, ""},
    {"run", CommandButton, "Frame3", 8, 40, 65, 33, 4, "计算", 16, System, "", false, NoPicture, ""},
    {"exit", CommandButton, "Frame3", 80, 40, 73, 33, 5, "退出", 16, System, "", false, NoPicture, ""},
    {"Command1", CommandButton, "Frame3", 160, 40, 65, 33, 37, "改类型《", 0, System, "", false, NoPicture, ""},
};
// clang-format on

}  // namespace

const WindowLayout kRectangleWindow = {"azpjl", 472, 551, kControls};

}  // namespace dravik::layouts
