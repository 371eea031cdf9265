// The calculator window of the flanged column 翼柱;
// its inputs and formula are in the file of the same name, sections/flanged.cpp.
#include "layouts/records.h"

namespace dravik::layouts {
namespace {

using enum TextColour;
using enum StoredPicture;
using enum Role;

constexpr ControlRecord kControls[] = {
    groupBox("Frame6", kWindow, {8, 8, 241, 465}, 0, "第一步：输入计算参数").inColour(Red),
    groupBox("Frame7", "Frame6", {0, 32, 241, 97}, 27, "尺寸参数"),
    label("Label5", "Frame7", {8, 16, 81, 25}, 33, "长度a（mm）", "a").withTooltip("底部长"),
    label("Label6", "Frame7", {120, 16, 81, 25}, 32, "高度b（mm）", "b").withTooltip("总高度"),
    inputField("a", "Frame7", 8, 32, 29),
    inputField("b", "Frame7", 120, 32, 28),
    label("Label11", "Frame7", {8, 56, 81, 25}, 35, "高度c（mm）", "c").withTooltip("下部高"),
    label("Label10", "Frame7", {120, 56, 81, 25}, 34, "宽度d（mm）", "d").withTooltip("中部宽"),
    inputField("c", "Frame7", 8, 72, 30),
    inputField("d", "Frame7", 120, 72, 31),
    groupBox("Frame9", "Frame6", {0, 136, 241, 97}, 1, "纵筋参数"),
    label("Label16", "Frame9", {8, 16, 105, 25}, 6, "纵筋1直径（mm）", "zj1zj").withTooltip("大钢筋直径"),
    label("Label15", "Frame9", {120, 16, 97, 17}, 7, "纵筋2直径（mm）", "zj2zj").withTooltip("小钢筋直径"),
    inputField("zj1zj", "Frame9", 8, 32, 5),
    inputField("zj2zj", "Frame9", 120, 32, 4),
    label("Label14", "Frame9", {8, 56, 105, 25}, 8, "纵筋1数量（根）", "zj1sl"),
    label("Label12", "Frame9", {120, 56, 97, 25}, 9, "纵筋2数量（根）", "zj2sl"),
    inputField("zj1sl", "Frame9", 8, 72, 3),
    inputField("zj2sl", "Frame9", 120, 72, 2),
    groupBox("Frame8", "Frame6", {0, 256, 241, 193}, 10, "箍筋参数"),
    label("Label9", "Frame8", {8, 16, 105, 25}, 24, "大箍直径（mm）", "dgzj").withTooltip("用于外箍"),
    label("Label8", "Frame8", {112, 16, 121, 17}, 23, "小箍及拉筋直径（mm）", "xgzj").withTooltip("用于内箍及拉筋"),
    inputField("dgzj", "Frame8", 8, 32, 16),
    inputField("xgzj", "Frame8", 120, 32, 15),
    label("Label7", "Frame8", {8, 64, 105, 25}, 21, "平行a数量（根）", "asl"),
    label("Label4", "Frame8", {120, 64, 97, 25}, 22, "平行b数量（根）", "bsl"),
    inputField("asl", "Frame8", 8, 80, 14),
    inputField("bsl", "Frame8", 120, 80, 13),
    label("Label19", "Frame8", {8, 104, 105, 25}, 26, "平行c数量（根）", "csl"),
    label("Label18", "Frame8", {120, 104, 97, 25}, 25, "平行d数量（根）", "dsl"),
    inputField("csl", "Frame8", 8, 120, 17),
    inputField("dsl", "Frame8", 120, 120, 18),
    label("Label13", "Frame8", {8, 144, 105, 25}, 20, "箍筋间距（mm）", "gjjj"),
    label("Label3", "Frame8", {120, 144, 97, 17}, 19, "保护层厚（mm）", "bhhd"),
    inputField("gjjj", "Frame8", 8, 160, 12),
    inputField("bhhd", "Frame8", 120, 160, 11),
    groupBox("Frame5", kWindow, {256, 8, 225, 233}, 39, "计算示意图"),
    picture("Image1", "Frame5", {8, 24, 208, 193}, SectionFlanged).withRole(Diagram),
    groupBox("Frame1", kWindow, {256, 240, 225, 289}, 40, "计算结果").inColour(Blue),
    label("Label17", "Frame1", {8, 16, 145, 17}, 43, "纵筋率（％）", "zjl"),
    label("Label20", "Frame1", {88, 16, 105, 17}, 47, "纵筋面积（mm2）", "zjmj"),
    resultBox("zjl", "Frame1", 8, 32, 42),
    resultBox("zjmj", "Frame1", 88, 32, 48),
    label("Label2", "Frame1", {8, 56, 97, 17}, 44, "体积配箍率（％）", "tjpgl"),
    resultBox("tjpgl", "Frame1", 8, 72, 41),
    picture("Image2", "Frame1", {32, 96, 152, 103}, Logo).withTooltip(kLogoTooltip),
    label("Label1", "Frame1", {8, 200, 209, 81}, 46, kCalculatorDisclaimer).inColour(Blue).withRole(Disclaimer),
    groupBox("Frame3", kWindow, {0, 472, 249, 57}, 36, " 第二步：选择操作").inColour(Red),
    button("run", "Frame3", {8, 16, 73, 33}, 38, "计算").withFont(16).withRole(Calculate),
    button("exit", "Frame3", {96, 16, 65, 33}, 37, "退出").withFont(16).withRole(EndProgram),
    button("Command1", "Frame3", {176, 16, 65, 33}, 45, "改类型《").withRole(BackToStart),
};

}  // namespace

const WindowLayout kFlangedWindow = {"yzpjl", 499, 538, kControls};

}  // namespace dravik::layouts
