// The layout of the five windows as data: one record per control, read by
// one builder in the shell. Qt-free, so it can be checked without a display.
//
// Lengths are pixels at 96 dots per inch. Left and Top are measured from the
// container's top-left corner: the window's client area, or the outer corner
// of the group box (whose caption sits on the top edge of that rectangle).
#pragma once

#include <span>
#include <string_view>

namespace dravik::layouts {

enum class ControlClass { GroupBox, Label, ComboBox, TextBox, CommandButton, OptionButton, Picture };

// Text colours; everything else takes the system colours.
enum class TextColour { System, Red, Blue };

enum class StoredPicture { NoPicture, Logo, SectionRectangle, SectionL, SectionFlanged, SectionZ };

// What a control is for. Code finds a control by its role; its name is the
// window's own ("run", "Image1", "Command1") and stays as data and in the
// names of its handlers (run_Click).
enum class Role {
    None,
    Calculate,       // "计算"
    BackToStart,     // "改类型《": back to the choice of section type
    OpenCalculator,  // "进入计算》": opens the chosen calculator window
    EndProgram,      // "退出", "退出程序"
    Diagram,         // the calculator window's section diagram
    Disclaimer,      // the 声明 text
    Result,          // a result box: read-only
};

// Font size of a control whose size is the standard one.
inline constexpr int kStandardFontPixels = 12;

struct ControlRecord {
    std::string_view name;  // "Frame6", "Label5", "a", "run" …: the window's own
    ControlClass kind;
    std::string_view container;  // a group box's name, or empty for the window
    int left, top, width, height;
    int tab;                   // position in the tab order from 0; -1 for pictures
    std::string_view caption;  // group boxes, labels, buttons; empty otherwise
    int fontPixels;            // 0 for the standard size
    TextColour colour;         // of the text (of a group box: its caption only)
    std::string_view tooltip;  // empty for none
    Role role;
    StoredPicture picture;
    // Of a label: the field or result box it names, which takes the
    // label's caption as its accessible name; empty for other labels.
    std::string_view buddy;

    // The same record with one property changed, for the few controls that
    // differ from their kind's usual look (see layouts/records.h).
    constexpr ControlRecord withTooltip(std::string_view text) const {
        ControlRecord r = *this;
        r.tooltip = text;
        return r;
    }
    constexpr ControlRecord inColour(TextColour textColour) const {
        ControlRecord r = *this;
        r.colour = textColour;
        return r;
    }
    constexpr ControlRecord withFont(int pixels) const {
        ControlRecord r = *this;
        r.fontPixels = pixels;
        return r;
    }
    constexpr ControlRecord withRole(Role purpose) const {
        ControlRecord r = *this;
        r.role = purpose;
        return r;
    }
};

struct WindowLayout {
    std::string_view windowName;
    int clientWidth, clientHeight;
    std::span<const ControlRecord> controls;  // containers come before their contents

    // The record of the control `name`, or nullptr.
    const ControlRecord* find(std::string_view name) const {
        for (const ControlRecord& c : controls) {
            if (c.name == name) return &c;
        }
        return nullptr;
    }

    // The first record of a control for `role`, or nullptr.
    const ControlRecord* find(Role role) const {
        for (const ControlRecord& c : controls) {
            if (c.role == role) return &c;
        }
        return nullptr;
    }

    // The record of the label whose buddy is `field`, or nullptr.
    const ControlRecord* labelOf(std::string_view field) const {
        if (field.empty()) return nullptr;
        for (const ControlRecord& c : controls) {
            if (c.kind == ControlClass::Label && c.buddy == field) return &c;
        }
        return nullptr;
    }
};

extern const WindowLayout kStartWindow;  // 欢迎使用

// Which calculator window each option button of the start-up window opens;
// the first is selected when the start-up window opens.
struct ShapeChoice {
    std::string_view option;  // "Option1" …
    std::string_view window;  // "azpjl" …
};
inline constexpr ShapeChoice kShapeChoices[] = {
    {"Option1", "azpjl"},
    {"Option2", "lxzjzpjl"},
    {"Option3", "yzpjl"},
    {"Option4", "zxzjzpjl"},
};

// A calculator window's layout and its section (inputs and formula) sit in
// files of the same name: layouts/rectangle.cpp and sections/rectangle.cpp
// describe the window azpjl, and the window name joins them at run time.
extern const WindowLayout kRectangleWindow;  // azpjl
extern const WindowLayout kLShapeWindow;     // lxzjzpjl
extern const WindowLayout kFlangedWindow;    // yzpjl
extern const WindowLayout kZShapeWindow;     // zxzjzpjl

// The layout of the calculator window `windowName` ("azpjl" …), or nullptr.
const WindowLayout* calculatorLayout(std::string_view windowName);

// The caption of the label that names `field` (an input or a result box) in
// the calculator window `windowName`, as the window shows it:
// fieldLabel("azpjl", "a") is "长度a（mm）", fieldLabel("yzpjl", "xgzj") is
// "小箍及拉筋直径（mm）". Empty for an unknown window or field.
std::string_view fieldLabel(std::string_view windowName, std::string_view field);

// Texts of the start-up window and the texts every window shares.
inline constexpr std::string_view kProgramTitle = "Dravik";
inline constexpr std::string_view kStartCaption = "Dravik程序—TorvaneI号 Halvorn建筑设计有限公司 ver1.2    2007.01";
inline constexpr std::string_view kTitleLine = "欢迎使用Dravik程序－TorvaneI号";
inline constexpr std::string_view kAlreadyRunningMessage = "程序已经打开了，请不要同时调用多个,以免多占系统资源！";
inline constexpr std::string_view kLogoTooltip = "TorvaneI号系列程序标志，标志持有人为Halvorn建筑设计有限公司。";
inline constexpr std::string_view kStartDisclaimer =
    "    声明：本程序由Halvorn建筑设计有限公司编制，版权所有。欢迎使用！"
    "计算结果仅供参考，请设计人员在复核后使用。联系方式：电话 000-00000000（虚构），示例市 2007.01";
inline constexpr std::string_view kCalculatorDisclaimer =
    "    声明：本程序由Halvorn建筑设计有限公司编制。计算结果仅供参考，请设计人员在复核后使用。"
    "联系方式：电话 000-00000000（虚构号码）";

}  // namespace dravik::layouts
