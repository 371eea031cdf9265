// The calculator window of the L-shaped corner column L形转角柱;
// its inputs and formula are in the file of the same name, sections/l_shape.cpp.
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
    {"Frame6", GroupBox, "", 8, 0, 241, 465, 0, "第一步：输入计算参数", 0, Red, "", false, NoPicture, ""},
    {"Frame7", GroupBox, "Frame6", 0, 32, 241, 97, 23, "尺寸参数", 0, System, "", false, NoPicture, ""},
    {"Label5", Label, "Frame7", 8, 16, 81, 25, 27, "长度a（mm）", 0, System, "下部长", false, NoPicture, "a"},
    {"Label6", Label, "Frame7", 120, 16, 81, 25, 26, "高度b（mm）", 0, System, "总高度", false, NoPicture, "b"},
    {"a", ComboBox, "Frame7", 8, 32, 65, 20, 25, "", 0, System, "", false, NoPicture, ""},
    {"b", ComboBox, "Frame7", 120, 32, 65, 20, 24, "", 0, System, "", false, NoPicture, ""},
    {"Label11", Label, "Frame7", 8, 56, 81, 25, 38, "高度c（mm）", 0, System, "下部高", false, NoPicture, "c"},
    {"Label10", Label, "Frame7", 120, 56, 81, 25, 37, "宽度d（mm）", 0, System, "上部宽", false, NoPicture, "d"},
    {"c", ComboBox, "Frame7", 8, 72, 65, 20, 43, "", 0, System, "", false, NoPicture, ""},
    {"d", ComboBox, "Frame7", 120, 72, 65, 20, 44, "", 0, System, "", false, NoPicture, ""},
    {"Frame9", GroupBox, "Frame6", 0, 136, 241, 97, 1, "纵筋参数", 0, System, "", false, NoPicture, ""},
    {"Label16", Label, "Frame9", 8, 16, 105, 25, 6, "纵筋1直径（mm）", 0, System, "大钢筋直径", false, NoPicture, "zj1zj"},
    {"Label15", Label, "Frame9", 120, 16, 97, 17, 7, "纵筋2直径（mm）", 0, System, "小钢筋直径", false, NoPicture, "zj2zj"},
    {"zj1zj", ComboBox, "Frame9", 8, 32, 65, 20, 5, "", 0, System, "", false, NoPicture, ""},
    {"zj2zj", ComboBox, "Frame9", 120, 32, 65, 20, 4, "", 0, System, "", false, NoPicture, ""},
    {"Label14", Label, "Frame9", 8, 56, 105, 25, 8, "纵筋1数量（根）", 0, System, "", false, NoPicture, "zj1sl"},
    {"Label12", Label, "Frame9", 120, 56, 97, 25, 9, "纵筋2数量（根）", 0, System, "", false, NoPicture, "zj2sl"},
    {"zj1sl", ComboBox, "Frame9", 8, 72, 65, 20, 3, "", 0, System, "", false, NoPicture, ""},
    {"zj2sl", ComboBox, "Frame9", 120, 72, 65, 20, 2, "", 0, System, "", false, NoPicture, ""},
    {"Frame8", GroupBox, "Frame6", 0, 256, 241, 193, 10, "箍筋参数", 0, System, "", false, NoPicture, ""},
    {"Label9", Label, "Frame8", 8, 16, 105, 25, 22, "大箍直径（mm）", 0, System, "用于外箍", false, NoPicture, "dgzj"},
    {"Label8", Label, "Frame8", 112, 16, 121, 25, 21, "小箍、拉筋直径（mm）", 0, System, "用于内箍及拉筋", false, NoPicture, "xgzj"},
    {"dgzj", ComboBox, "Frame8", 8, 32, 65, 20, 16, "", 0, System, "", false, NoPicture, ""},
    {"xgzj", ComboBox, "Frame8", 120, 32, 65, 20, 15, "", 0, System, "", false, NoPicture, ""},
    {"Label7", Label, "Frame8", 8, 64, 105, 25, 19, "平行a数量（根）", 0, System, "", false, NoPicture, "asl"},
    {"Label4", Label, "Frame8", 120, 64, 97, 25, 20, "平行b数量（根）", 0, System, "", false, NoPicture, "bsl"},
    {"asl", ComboBox, "Frame8", 8, 80, 65, 20, 14, "", 0, System, "", false, NoPicture, ""},
    {"bsl", ComboBox, "Frame8", 120, 80, 65, 20, 13, "", 0, System, "", false, NoPicture, ""},
    {"Label19", Label, "Frame8", 8, 104, 105, 25, 42, "平行c数量（根）", 0, System, "", false, NoPicture, "csl"},
    {"Label18", Label, "Frame8", 120, 104, 97, 25, 41, "平行d数量（根）", 0, System, "", false, NoPicture, "dsl"},
    {"csl", ComboBox, "Frame8", 8, 120, 65, 20, 39, "", 0, System, "", false, NoPicture, ""},
    {"dsl", ComboBox, "Frame8", 120, 120, 65, 20, 40, "", 0, System, "", false, NoPicture, ""},
    {"Label13", Label, "Frame8", 8, 144, 105, 25, 18, "箍筋间距（mm）", 0, System, "", false, NoPicture, "gjjj"},
    {"Label3", Label, "Frame8", 120, 144, 97, 17, 17, "保护层厚（mm）", 0, System, "", false, NoPicture, "bhhd"},
    {"gjjj", ComboBox, "Frame8", 8, 160, 65, 20, 12, "", 0, System, "", false, NoPicture, ""},
    {"bhhd", ComboBox, "Frame8", 120, 160, 65, 20, 11, "", 0, System, "", false, NoPicture, ""},
    {"Frame5", GroupBox, "", 256, 8, 225, 225, 31, "计算示意图", 0, System, "", false, NoPicture, ""},
    {"Image1", Picture, "Frame5", 8, 24, 189, 182, -1, "", 0, System, "", false, SectionL, ""},
    {"Frame1", GroupBox, "", 256, 240, 225, 289, 32, "计算结果", 0, Blue, "", false, NoPicture, ""},
    {"Label17", Label, "Frame1", 8, 16, 145, 17, 35, "纵筋率（％）", 0, System, "", false, NoPicture, "zjl"},
    {"Label20", Label, "Frame1", 88, 16, 105, 17, 47, "纵筋面积（mm2）", 0, System, "", false, NoPicture, "zjmj"},
    {"zjl", TextBox, "Frame1", 8, 32, 68, 18, 34, "", 16, Blue, "", true, NoPicture, ""},
    {"zjmj", TextBox, "Frame1", 88, 32, 68, 18, 48, "", 16, Blue, "", true, NoPicture, ""},
    {"Label2", Label, "Frame1", 8, 56, 105, 17, 36, "体积配箍率（％）", 0, System, "", false, NoPicture, "tjpgl"},
    {"tjpgl", TextBox, "Frame1", 8, 72, 68, 18, 33, "", 16, Blue, "", true, NoPicture, ""},
    {"Image2", Picture, "Frame1", 32, 96, 151, 103, -1, "", 0, System, kLogoTooltip, false, Logo, ""},
    {"Label1", Label, "Frame1", 8, 208, 209, 73, 46, kCalculatorDisclaimer, 0, Blue, "", false, NoPicture, ""},
    {"Frame3", GroupBox, "", 8, 472, 241, 57, 28, " 第二步：选择操作", 0, Red, "", false, NoPicture, ""},
    {"run", CommandButton, "Frame3", 8, 16, 65, 33, 30, "计算", 16, System, "", false, NoPicture, ""},
    {"exit", CommandButton, "Frame3", 88, 16, 65, 33, 29, "退出", 16, System, "", false, NoPicture, ""},
    {"Command1", CommandButton, "Frame3", 168, 16, 65, 33, 45, "换类型《", 0, System, "", false, NoPicture, ""},
};
// clang-format on

}  // namespace

const WindowLayout kLShapeWindow = {"lxzjzpjl", 489, 537, kControls};

}  // namespace dravik::layouts
