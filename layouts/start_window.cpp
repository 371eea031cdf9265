// The start-up window 欢迎使用: the choice of section type.
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
    {"Label1", Label, "", 8, 8, 457, 25, 8, kTitleLine, 19, System, "", false, NoPicture, ""},
    {"Frame1", GroupBox, "", 8, 32, 521, 481, 0, "第一步：请选择计算类型", 0, Red, "", false, NoPicture, ""},
    {"Frame2", GroupBox, "Frame1", 16, 16, 225, 185, 1, "暗柱", 0, System, "", false, NoPicture, ""},
    {"Image1", Picture, "Frame2", 8, 16, 184, 157, -1, "", 0, System, "", false, SectionRectangle, ""},
    {"Frame3", GroupBox, "Frame1", 256, 16, 241, 185, 2, "L形转角柱", 0, System, "", false, NoPicture, ""},
    {"Image2", Picture, "Frame3", 16, 16, 213, 161, -1, "", 0, System, "", false, SectionL, ""},
    {"Option1", OptionButton, "Frame1", 72, 208, 81, 17, 10, "暗柱", 0, System, "", false, NoPicture, ""},
    {"Option2", OptionButton, "Frame1", 320, 208, 81, 25, 11, "L形转角柱", 0, System, "", false, NoPicture, ""},
    {"Frame4", GroupBox, "Frame1", 8, 240, 233, 193, 3, "翼柱", 0, System, "", false, NoPicture, ""},
    {"Image3", Picture, "Frame4", 8, 16, 217, 157, -1, "", 0, System, "", false, SectionFlanged, ""},
    {"Frame5", GroupBox, "Frame1", 256, 240, 249, 193, 4, "Z形转角柱", 0, System, "", false, NoPicture, ""},
    {"Image4", Picture, "Frame5", 8, 24, 236, 152, -1, "", 0, System, "", false, SectionZ, ""},
    {"Option3", OptionButton, "Frame1", 72, 440, 113, 25, 12, "翼柱", 0, System, "", false, NoPicture, ""},
    {"Option4", OptionButton, "Frame1", 328, 440, 89, 17, 13, "Z形转角柱", 0, System, "", false, NoPicture, ""},
    {"Frame6", GroupBox, "", 544, 32, 113, 481, 5, "第二步：选择操作", 0, Red, "", false, NoPicture, ""},
    {"Command1", CommandButton, "Frame6", 16, 32, 89, 25, 6, "进入计算》", 14, System, "", false, NoPicture, ""},
    {"Command2", CommandButton, "Frame6", 8, 240, 89, 25, 7, "退出程序", 14, System, "", false, NoPicture, ""},
    {"Image5", Picture, "Frame6", 8, 352, 96, 71, -1, "", 0, System, kLogoTooltip, false, Logo, ""},
    {"Label2", Label, "", 8, 520, 665, 41, 9, kStartDisclaimer, 0, Blue, "", false, NoPicture, ""},
};
// clang-format on

}  // namespace

const WindowLayout kStartWindow = {"欢迎使用", 671, 559, kControls};

}  // namespace dravik::layouts
