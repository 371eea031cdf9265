// The calculator window of the Z-shaped corner column Z形转角柱;
// its inputs and formula are in the file of the same name, sections/z_shape.cpp.
#include "layouts/records.h"

namespace dravik::layouts {
namespace {

using enum TextColour;
using enum StoredPicture;
using enum Role;

constexpr ControlRecord kControls[] = {
    groupBox("Frame6", kWindow, {8, 8, 225, 513}, 0, "第一步：输入计算参数").inColour(Red),
    groupBox("Frame7", "Frame6", {0, 16, 225, 137}, 1, "尺寸参数"),
    label("Label5", "Frame7", {8, 16, 81, 25}, 8, "长度a（mm）", "a").withTooltip("底部长"),
    label("Label6", "Frame7", {120, 16, 81, 25}, 9, "高度b（mm）", "b").withTooltip("总高度"),
    inputField("a", "Frame7", 8, 32, 4),
    inputField("b", "Frame7", 120, 32, 5),
    label("Label11", "Frame7", {8, 56, 81, 25}, 6, "宽度c（mm）", "c").withTooltip("中部宽"),
    label("Label10", "Frame7", {120, 56, 81, 25}, 7, "高度d（mm）", "d").withTooltip("底部高"),
    inputField("c", "Frame7", 8, 72, 3),
    inputField("d", "Frame7", 120, 72, 2),
    label("Label20", "Frame7", {8, 96, 81, 25}, 45, "高度e（mm）", "e").withTooltip("上部高"),
    label("Label21", "Frame7", {120, 96, 81, 25}, 46, "长度f（mm）", "f").withTooltip("上部长"),
    inputField("e", "Frame7", 8, 112, 47),
    inputField("f", "Frame7", 120, 112, 48),
    groupBox("Frame9", "Frame6", {0, 160, 225, 97}, 27, "纵筋参数"),
    label("Label16", "Frame9", {8, 16, 105, 25}, 35, "纵筋1直径（mm）", "zj1zj").withTooltip("大钢筋直径"),
    label("Label15", "Frame9", {120, 16, 97, 17}, 34, "纵筋2直径（mm）", "zj2zj").withTooltip("小钢筋直径"),
    inputField("zj1zj", "Frame9", 8, 32, 28),
    inputField("zj2zj", "Frame9", 120, 32, 29),
    label("Label14", "Frame9", {8, 56, 105, 25}, 33, "纵筋1数量（根）", "zj1sl"),
    label("Label12", "Frame9", {120, 56, 97, 25}, 32, "纵筋2数量（根）", "zj2sl"),
    inputField("zj1sl", "Frame9", 8, 72, 30),
    inputField("zj2sl", "Frame9", 120, 72, 31),
    groupBox("Frame8", "Frame6", {0, 264, 225, 233}, 10, "箍筋参数"),
    label("Label9", "Frame8", {8, 16, 105, 25}, 21, "大箍直径（mm）", "dgzj").withTooltip("用于外围大箍"),
    label("Label8", "Frame8", {96, 16, 121, 25}, 22, "小箍、拉筋直径（mm）", "xgzj").withTooltip("用于内部小箍及拉筋"),
    inputField("dgzj", "Frame8", 8, 32, 13),
    inputField("xgzj", "Frame8", 120, 32, 14),
    label("Label7", "Frame8", {8, 64, 105, 25}, 24, "平行a数量（根）", "asl"),
    label("Label4", "Frame8", {120, 64, 97, 25}, 23, "平行b数量（根）", "bsl"),
    inputField("asl", "Frame8", 8, 80, 15),
    inputField("bsl", "Frame8", 120, 80, 16),
    label("Label19", "Frame8", {8, 104, 105, 25}, 19, "平行c数量（根）", "csl"),
    label("Label18", "Frame8", {120, 104, 97, 25}, 20, "平行d数量（根）", "dsl"),
    inputField("csl", "Frame8", 8, 120, 12),
    inputField("dsl", "Frame8", 120, 120, 11),
    label("Label22", "Frame8", {8, 144, 105, 25}, 49, "平行e数量（根）", "esl"),
    label("Label23", "Frame8", {120, 144, 97, 25}, 50, "平行f数量（根）", "fsl"),
    inputField("esl", "Frame8", 8, 160, 51),
    inputField("fsl", "Frame8", 120, 160, 52),
    label("Label13", "Frame8", {8, 184, 105, 25}, 25, "箍筋间距（mm）", "gjjj"),
    label("Label3", "Frame8", {120, 184, 97, 17}, 26, "保护层厚（mm）", "bhhd"),
    inputField("gjjj", "Frame8", 8, 200, 17),
    inputField("bhhd", "Frame8", 120, 200, 18),
    groupBox("Frame5", kWindow, {248, 8, 273, 257}, 39, "计算示意图"),
    picture("Image1", "Frame5", {8, 16, 260, 217}, SectionZ).withRole(Diagram),
    groupBox("Frame1", kWindow, {248, 272, 273, 313}, 40, "计算结果").inColour(Blue),
    label("Label17", "Frame1", {8, 16, 145, 17}, 44, "纵筋率（％）", "zjl"),
    label("Label24", "Frame1", {112, 16, 113, 17}, 55, "纵筋面积（mm2）", "zjmj"),
    resultBox("zjl", "Frame1", 8, 32, 41),
    resultBox("zjmj", "Frame1", 112, 32, 56),
    label("Label2", "Frame1", {8, 56, 97, 17}, 43, "体积配箍率（％）", "tjpgl"),
    resultBox("tjpgl", "Frame1", 8, 72, 42),
    picture("Image2", "Frame1", {56, 112, 152, 103}, Logo).withTooltip(kLogoTooltip),
    label("Label1", "Frame1", {24, 232, 225, 65}, 54, kCalculatorDisclaimer).inColour(Blue).withRole(Disclaimer),
    groupBox("Frame3", kWindow, {8, 528, 225, 57}, 36, " 第二步：选择操作").inColour(Red),
    button("run", "Frame3", {8, 16, 65, 33}, 37, "计算").withFont(16).withRole(Calculate),
    button("exit", "Frame3", {80, 16, 65, 33}, 38, "退出").withFont(16).withRole(EndProgram),
    button("Command1", "Frame3", {152, 16, 65, 33}, 53, "换类型《").withRole(BackToStart),
};

}  // namespace

const WindowLayout kZShapeWindow = {"zxzjzpjl", 532, 599, kControls};

}  // namespace dravik::layouts
