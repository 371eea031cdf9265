// The record of each kind of control, made by a function that takes only
// what sets one control apart from the others of its kind, so that a layout
// table reads as a list of differences. For use by the layout tables.
#pragma once

#include "layouts/windows.h"

namespace dravik::layouts {

// Where a control sits and how large it is, in pixels: left and top from the
// container's top-left corner (the client area, or the outer corner of the
// group box), then width and height.
struct Place {
    int left, top, width, height;
};

// The container of a control placed directly on the window.
inline constexpr std::string_view kWindow = {};

// Every input field is an editable drop-down list of one size; every result
// box a read-only text box of one size, its digits larger and blue.
inline constexpr int kInputFieldWidth = 65;
inline constexpr int kInputFieldHeight = 20;
inline constexpr int kResultBoxWidth = 68;
inline constexpr int kResultBoxHeight = 18;
inline constexpr int kResultFontPixels = 16;

// The tab position of a picture, which takes none.
inline constexpr int kNoTab = -1;

constexpr ControlRecord record(std::string_view name, ControlClass kind, std::string_view container, Place at, int tab,
                               std::string_view caption = {}) {
    return {name,
            kind,
            container,
            at.left,
            at.top,
            at.width,
            at.height,
            tab,
            caption,
            0,
            TextColour::System,
            {},
            Role::None,
            StoredPicture::NoPicture,
            {}};
}

constexpr ControlRecord groupBox(std::string_view name, std::string_view container, Place at, int tab,
                                 std::string_view caption) {
    return record(name, ControlClass::GroupBox, container, at, tab, caption);
}

// A label; `buddy` is the field or result box it names, if any.
constexpr ControlRecord label(std::string_view name, std::string_view container, Place at, int tab,
                              std::string_view caption, std::string_view buddy = {}) {
    ControlRecord r = record(name, ControlClass::Label, container, at, tab, caption);
    r.buddy = buddy;
    return r;
}

constexpr ControlRecord inputField(std::string_view name, std::string_view container, int left, int top, int tab) {
    return record(name, ControlClass::ComboBox, container, {left, top, kInputFieldWidth, kInputFieldHeight}, tab);
}

constexpr ControlRecord resultBox(std::string_view name, std::string_view container, int left, int top, int tab) {
    ControlRecord r =
        record(name, ControlClass::TextBox, container, {left, top, kResultBoxWidth, kResultBoxHeight}, tab);
    r.role = Role::Result;
    return r.withFont(kResultFontPixels).inColour(TextColour::Blue);
}

constexpr ControlRecord button(std::string_view name, std::string_view container, Place at, int tab,
                               std::string_view caption) {
    return record(name, ControlClass::CommandButton, container, at, tab, caption);
}

constexpr ControlRecord optionButton(std::string_view name, std::string_view container, Place at, int tab,
                                     std::string_view caption) {
    return record(name, ControlClass::OptionButton, container, at, tab, caption);
}

constexpr ControlRecord picture(std::string_view name, std::string_view container, Place at, StoredPicture shown) {
    ControlRecord r = record(name, ControlClass::Picture, container, at, kNoTab);
    r.picture = shown;
    return r;
}

}  // namespace dravik::layouts
