// The calculator window of the Z-shaped corner column Z形转角柱;
// its inputs and formula are in the file of the same name, sections/z_shape.cpp.
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
    {"Frame6", GroupBox, "", 8, 8, 225, 513, 0, "第一步：输入计算参数", 0, Red, "", false, NoPicture, ""},
    {"Frame7", GroupBox, "Frame6", 0, 16, 225, 137, 1, "尺寸参数", 0, System, "", false, NoPicture, ""},
    {"Label5", Label, "Frame7", 8, 16, 81, 25, 8, "长度a（mm）", 0, System, "底部长", false, NoPicture, "a"},
    {"Label6", Label, "Frame7", 120, 16, 81, 25, 9, "高度b（mm）", 0, System, "总高度", false, NoPicture, "b"},
    {"a", ComboBox, "Frame7", 8, 32, 65, 20, 4, "", 0, System, "", false, NoPicture, ""},
    {"b", ComboBox, "Frame7", 120, 32, 65, 20, 5, "", 0, System, "", false, NoPicture, ""},
    {"Label11", Label, "Frame7", 8, 56, 81, 25, 6, "宽度c（mm）", 0, System, "中部宽", false, NoPicture, "c"},
    {"Label10", Label, "Frame7", 120, 56, 81, 25, 7, "高度d（mm）", 0, System, "底部高", false, NoPicture, "d"},
    {"c", ComboBox, "Frame7", 8, 72, 65, 20, 3, "", 0, System, "", false, NoPicture, ""},
    {"d", ComboBox, "Frame7", 120, 72, 65, 20, 2, "", 0, System, "", false, NoPicture, ""},
    {"Label20", Label, "Frame7", 8, 96, 81, 25, 45, "高度e（mm）", 0, System, "上部高", false, NoPicture, "e"},
    {"Label21", Label, "Frame7", 120, 96, 81, 25, 46, "长度f（mm）", 0, System, "上部长", false, NoPicture, "f"},
    {"e", ComboBox, "Frame7", 8, 112, 65, 20, 47, "", 0, System, "", false, NoPicture, ""},
    {"f", ComboBox, "Frame7", 120, 112, 65, 20, 48, "", 0, System, "", false, NoPicture, ""},
    {"Frame9", GroupBox, "Frame6", 0, 160, 225, 97, 27, "纵筋参数", 0, System, "", false, NoPicture, ""},
    {"Label16", Label, "Frame9", 8, 16, 105, 25, 35, "纵筋1直径（mm）", 0, System, "大钢筋直径", false, NoPicture, "zj1zj"},
    {"Label15", Label, "Frame9", 120, 16, 97, 17, 34, "纵筋2直径（mm）", 0, System, "小钢筋直径", false, NoPicture, "zj2zj"},
    {"zj1zj", ComboBox, "Frame9", 8, 32, 65, 20, 28, "", 0, System, "", false, NoPicture, ""},
    {"zj2zj", ComboBox, "Frame9", 120, 32, 65, 20, 29, "", 0, System, "", false, NoPicture, ""},
    {"Label14", Label, "Frame9", 8, 56, 105, 25, 33, "纵筋1数量（根）", 0, System, "", false, NoPicture, "zj1sl"},
    {"Label12", Label, "Frame9", 120, 56, 97, 25, 32, "纵筋2数量（根）", 0, System, "", false, NoPicture, "zj2sl"},
    {"zj1sl", ComboBox, "Frame9", 8, 72, 65, 20, 30, "", 0, System, "", false, NoPicture, ""},
    {"zj2sl", ComboBox, "Frame9", 120, 72, 65, 20, 31, "", 0, System, "", false, NoPicture, ""},
    {"Frame8", GroupBox, "Frame6", 0, 264, 225, 233, 10, "箍筋参数", 0, System, "", false, NoPicture, ""},
    {"Label9", Label, "Frame8", 8, 16, 105, 25, 21, "大箍直径（mm）", 0, System, "用于外围大箍", false, NoPicture, "dgzj"},
    {"Label8", Label, "Frame8", 96, 16, 121, 25, 22, "小箍、拉筋直径（mm）", 0, System, "用于内部小箍及拉筋", false, NoPicture, "xgzj"},
    {"dgzj", ComboBox, "Frame8", 8, 32, 65, 20, 13, "", 0, System, "", false, NoPicture, ""},
    {"xgzj", ComboBox, "Frame8", 120, 32, 65, 20, 14, "", 0, System, "", false, NoPicture, ""},
    {"Label7", Label, "Frame8", 8, 64, 105, 25, 24, "平行a数量（根）", 0, System, "", false, NoPicture, "asl"},
    {"Label4", Label, "Frame8", 120, 64, 97, 25, 23, "平行b数量（根）", 0, System, "", false, NoPicture, "bsl"},
    {"asl", ComboBox, "Frame8", 8, 80, 65, 20, 15, "", 0, System, "", false, NoPicture, ""},
    {"bsl", ComboBox, "Frame8", 120, 80, 65, 20, 16, "", 0, System, "", false, NoPicture, ""},
    {"Label19", Label, "Frame8", 8, 104, 105, 25, 19, "平行c数量（根）", 0, System, "", false, NoPicture, "csl"},
    {"Label18", Label, "Frame8", 120, 104, 97, 25, 20, "平行d数量（根）", 0, System, "", false, NoPicture, "dsl"},
    {"csl", ComboBox, "Frame8", 8, 120, 65, 20, 12, "", 0, System, "", false, NoPicture, ""},
    {"dsl", ComboBox, "Frame8", 120, 120, 65, 20, 11, "", 0, System, "", false, NoPicture, ""},
    {"Label22", Label, "Frame8", 8, 144, 105, 25, 49, "平行e数量（根）", 0, System, "", false, NoPicture, "esl"},
    {"Label23", Label, "Frame8", 120, 144, 97, 25, 50, "平行f数量（根）", 0, System, "", false, NoPicture, "fsl"},
    {"esl", ComboBox, "Frame8", 8, 160, 65, 20, 51, "", 0, System, "", false, NoPicture, ""},
    {"fsl", ComboBox, "Frame8", 120, 160, 65, 20, 52, "", 0, System, "", false, NoPicture, ""},
    {"Label13", Label, "Frame8", 8, 184, 105, 25, 25, "箍筋间距（mm）", 0, System, "", false, NoPicture, "gjjj"},
    {"Label3", Label, "Frame8", 120, 184, 97, 17, 26, "保护层厚（mm）", 0, System, "", false, NoPicture, "bhhd"},
    {"gjjj", ComboBox, "Frame8", 8, 200, 65, 20, 17, "", 0, System, "", false, NoPicture, ""},
    {"bhhd", ComboBox, "Frame8", 120, 200, 65, 20, 18, "", 0, System, "", false, NoPicture, ""},
    {"Frame5", GroupBox, "", 248, 8, 273, 257, 39, "计算示意图", 0, System, "", false, NoPicture, ""},
    {"Image1", Picture, "Frame5", 8, 16, 260, 217, -1, "", 0, System, "", false, SectionZ, ""},
    {"Frame1", GroupBox, "", 248, 272, 273, 313, 40, "计算结果", 0, Blue, "", false, NoPicture, ""},
    {"Label17", Label, "Frame1", 8, 16, 145, 17, 44, "纵筋率（％）", 0, System, "", false, NoPicture, "zjl"},
    {"Label24", Label, "Frame1", 112, 16, 113, 17, 55, "纵筋面积（mm2）", 0, System, "", false, NoPicture, "zjmj"},
    {"zjl", TextBox, "Frame1", 8, 32, 68, 18, 41, "", 16, Blue, "", true, NoPicture, ""},
    {"zjmj", TextBox, "Frame1", 112, 32, 68, 18, 56, "", 16, Blue, "", true, NoPicture, ""},
    {"Label2", Label, "Frame1", 8, 56, 97, 17, 43, "体积配箍率（％）", 0, System, "", false, NoPicture, "tjpgl"},
    {"tjpgl", TextBox, "Frame1", 8, 72, 68, 18, 42, "", 16, Blue, "", true, NoPicture, ""},
    {"Image2", Picture, "Frame1", 56, 112, 152, 103, -1, "", 0, System, kLogoTooltip, false, Logo, ""},
    {"Label1", Label, "Frame1", 24, 232, 225, 65, 54, kCalculatorDisclaimer, 0, Blue, "", false, NoPicture, ""},
    {"Frame3", GroupBox, "", 8, 528, 225, 57, 36, " 第二步：选择操作", 0, Red, "", false, NoPicture, ""},
    {"run", CommandButton, "Frame3", 8, 16, 65, 33, 37, "计算", 16, System, "", false, NoPicture, ""},
    {"exit", CommandButton, "Frame3", 80, 16, 65, 33, 38, "退出", 16, System, "", false, NoPicture, ""},
    {"Command1", CommandButton, "Frame3", 152, 16, 65, 33, 53, "换类型《", 0, System, "", false, NoPicture, ""},
};
// clang-format on

}  // namespace

const WindowLayout kZShapeWindow = {"zxzjzpjl", 532, 599, kControls};

}  // namespace dravik::layouts
