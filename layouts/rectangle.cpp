// The calculator window of the rectangular column 暗柱;
// its inputs and formula are in the file of the same name, sections/rectangle.cpp.
#include "layouts/records.h"

namespace dravik::layouts {
namespace {

using enum TextColour;
using enum StoredPicture;
using enum Role;

constexpr ControlRecord kControls[] = {
    groupBox("Frame6", kWindow, {8, 8, 233, 417}, 8, "第一步：输入计算参数").inColour(Red),
    groupBox("Frame7", "Frame6", {0, 32, 233, 81}, 9, "尺寸参数"),
    label("Label5", "Frame7", {8, 16, 81, 25}, 10, "长度a（mm）", "a").withTooltip("底部长"),
    label("Label6", "Frame7", {120, 16, 81, 25}, 11, "高度b（mm）", "b").withTooltip("总高度"),
    inputField("a", "Frame7", 8, 32, 26),
    inputField("b", "Frame7", 120, 32, 27),
    groupBox("Frame9", "Frame6", {0, 128, 233, 97}, 15, "纵筋参数"),
    label("Label16", "Frame9", {8, 16, 105, 25}, 19, "纵筋1直径（mm）", "zj1zj").withTooltip("大钢筋直径"),
    label("Label15", "Frame9", {120, 16, 97, 17}, 18, "纵筋2直径（mm）", "zj2zj").withTooltip("小钢筋直径"),
    inputField("zj1zj", "Frame9", 8, 32, 20),
    inputField("zj2zj", "Frame9", 120, 32, 21),
    label("Label14", "Frame9", {8, 56, 105, 25}, 17, "纵筋1数量（根）", "zj1sl"),
    label("Label12", "Frame9", {120, 56, 97, 25}, 16, "纵筋2数量（根）", "zj2sl"),
    inputField("zj1sl", "Frame9", 8, 72, 24),
    inputField("zj2sl", "Frame9", 120, 72, 25),
    groupBox("Frame8", "Frame6", {0, 240, 233, 153}, 12, "箍筋参数"),
    label("Label9", "Frame8", {8, 16, 105, 25}, 13, "大箍直径（mm）", "dgzj").withTooltip("用于外箍"),
    label("Label8", "Frame8", {96, 16, 121, 25}, 14, "小箍、拉筋直径（mm）", "xgzj").withTooltip("用于内箍及拉筋"),
    inputField("dgzj", "Frame8", 8, 32, 22),
    inputField("xgzj", "Frame8", 120, 32, 23),
    label("Label7", "Frame8", {8, 64, 105, 25}, 29, "横向数量（根）", "hxsl"),
    label("Label4", "Frame8", {120, 64, 97, 25}, 28, "纵向数量（根）", "zxsl"),
    inputField("hxsl", "Frame8", 8, 80, 30),
    inputField("zxsl", "Frame8", 120, 80, 31),
    label("Label13", "Frame8", {8, 104, 105, 25}, 32, "箍筋间距（mm）", "gjjj"),
    label("Label3", "Frame8", {120, 104, 97, 17}, 35, "保护层厚（mm）", "bhhd"),
    inputField("gjjj", "Frame8", 8, 120, 33),
    inputField("bhhd", "Frame8", 120, 120, 36),
    groupBox("Frame5", kWindow, {248, 8, 217, 225}, 2, "计算示意图"),
    picture("Image1", "Frame5", {8, 16, 199, 195}, SectionRectangle).withRole(Diagram),
    groupBox("Frame1", kWindow, {248, 248, 217, 297}, 0, "计算结果").inColour(Blue),
    label("Label17", "Frame1", {8, 16, 145, 17}, 34, "纵筋率（％）", "zjl"),
    label("Label10", "Frame1", {96, 16, 105, 17}, 39, "纵筋面积（mm2）", "zjmj"),
    resultBox("zjl", "Frame1", 8, 32, 1),
    resultBox("zjmj", "Frame1", 96, 32, 40),
    label("Label2", "Frame1", {8, 56, 97, 17}, 7, "体积配箍率（％）", "tjpgl"),
    resultBox("tjpgl", "Frame1", 8, 72, 6),
    picture("Image2", "Frame1", {32, 96, 152, 103}, Logo).withTooltip(kLogoTooltip),
    label("Label1", "Frame1", {8, 208, 201, 81}, 38, kCalculatorDisclaimer).inColour(Blue).withRole(Disclaimer),
    groupBox("Frame3", kWindow, {8, 432, 233, 113}, 3, " 第二步：选择操作").inColour(Red),
    button("run", "Frame3", {8, 40, 65, 33}, 4, "计算").withFont(16).withRole(Calculate),
    button("exit", "Frame3", {80, 40, 73, 33}, 5, "退出").withFont(16).withRole(EndProgram),
    button("Command1", "Frame3", {160, 40, 65, 33}, 37, "改类型《").withRole(BackToStart),
};

}  // namespace

const WindowLayout kRectangleWindow = {"azpjl", 472, 551, kControls};

}  // namespace dravik::layouts
