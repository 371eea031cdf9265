// The look every window shares: style, face colour, fonts.
#pragma once

#include <QColor>
#include <QFont>

class QApplication;

namespace dravik::shell {

// The classic 3-D face colour, RGB(212, 208, 200). The windows, group boxes,
// labels and buttons are painted in it, and the section diagrams are drawn on
// it so that they merge with their group boxes.
inline const QColor kFaceColour{212, 208, 200};
inline const QColor kCaptionRed{255, 0, 0};
inline const QColor kResultBlue{0, 0, 255};

// A QColor property of a group box: the colour of its caption alone. The
// program's style paints the caption in it; the frame line and the controls
// inside keep the system colours.
inline constexpr char kCaptionColourProperty[] = "dravikCaptionColour";

// Sets the widget style and the application palette (window and button
// colours in the face colour) and the standard font.
void applyAppearance(QApplication& app);

// Everything the program sets on its QApplication before the first window:
// names, Qt's own texts in Chinese, appearance, and that the window manager, not the last window
// closing, ends the program.
void prepareApplication(QApplication& app);

// The family of the Song face embedded in the program, cut down to the
// characters of its texts.
inline constexpr char kEmbeddedSongFamily[] = "Dravik Song";

// The Song face at `pixels` pixels, regular. 宋体 where it is installed,
// otherwise a Simplified-Chinese Song/Ming face (asking for 宋体 alone would
// silently fall back to a Latin face without Chinese glyphs).
QFont songFont(int pixels);

}  // namespace dravik::shell
