// The start-up window 欢迎使用: the choice of section type.
#include "layouts/records.h"

namespace dravik::layouts {
namespace {

using enum TextColour;
using enum StoredPicture;
using enum Role;

constexpr ControlRecord kControls[] = {
    label("Label1", kWindow, {8, 8, 457, 25}, 8, kTitleLine).withFont(19),
    groupBox("Frame1", kWindow, {8, 32, 521, 481}, 0, "第一步：请选择计算类型").inColour(Red),
    groupBox("Frame2", "Frame1", {16, 16, 225, 185}, 1, "暗柱"),
    picture("Image1", "Frame2", {8, 16, 184, 157}, SectionRectangle),
    groupBox("Frame3", "Frame1", {256, 16, 241, 185}, 2, "L形转角柱"),
    picture("Image2", "Frame3", {16, 16, 213, 161}, SectionL),
    optionButton("Option1", "Frame1", {72, 208, 81, 17}, 10, "暗柱"),
    optionButton("Option2", "Frame1", {320, 208, 81, 25}, 11, "L形转角柱"),
    groupBox("Frame4", "Frame1", {8, 240, 233, 193}, 3, "翼柱"),
    picture("Image3", "Frame4", {8, 16, 217, 157}, SectionFlanged),
    groupBox("Frame5", "Frame1", {256, 240, 249, 193}, 4, "Z形转角柱"),
    picture("Image4", "Frame5", {8, 24, 236, 152}, SectionZ),
    optionButton("Option3", "Frame1", {72, 440, 113, 25}, 12, "翼柱"),
    optionButton("Option4", "Frame1", {328, 440, 89, 17}, 13, "Z形转角柱"),
    groupBox("Frame6", kWindow, {544, 32, 113, 481}, 5, "第二步：选择操作").inColour(Red),
    button("Command1", "Frame6", {16, 32, 89, 25}, 6, "进入计算》").withFont(14).withRole(OpenCalculator),
    button("Command2", "Frame6", {8, 240, 89, 25}, 7, "退出程序").withFont(14).withRole(EndProgram),
    picture("Image5", "Frame6", {8, 352, 96, 71}, Logo).withTooltip(kLogoTooltip),
    label("Label2", kWindow, {8, 520, 665, 41}, 9, kStartDisclaimer).inColour(Blue).withRole(Disclaimer),
};

}  // namespace

const WindowLayout kStartWindow = {"欢迎使用", 671, 559, kControls};

}  // namespace dravik::layouts
