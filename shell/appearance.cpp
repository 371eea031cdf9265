#include "shell/appearance.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QProxyStyle>
#include <QResource>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

#include "shell/qt_chinese.h"

namespace dravik::shell {
namespace {

// The base style, plus group box captions in the colour their box asks for.
class CaptionColourStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_GroupBox_TextLabelColor && widget != nullptr) {
            const QVariant colour = widget->property(kCaptionColourProperty);
            if (colour.isValid()) return static_cast<int>(colour.value<QColor>().rgba());
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The embedded face is stored uncompressed, so the font database can read it
// in place instead of from an inflated copy on the heap.
void loadEmbeddedSong() {
    const QResource song(QStringLiteral(":/fonts/dravik-song.ttf"));
    if (song.isValid() && song.compressionAlgorithm() == QResource::NoCompression) {
        QFontDatabase::addApplicationFontFromData(
            QByteArray::fromRawData(reinterpret_cast<const char*>(song.data()), qsizetype(song.size())));
    } else {
        QFontDatabase::addApplicationFont(song.absoluteFilePath());
    }
}

// The one family the windows ask for: 宋体 where it is installed, otherwise
// the embedded face. One family and no list: for a list, Qt works out the
// system's fallback faces for the first entry at the first text drawn, which
// costs start-up time; with one family it does that only if a character
// typed by the user is missing from the face, and then takes a face that has
// it.
QString songFamily() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* song : {"宋体", "SimSun", "NSimSun"}) {
            const QString name = QString::fromUtf8(song);
            if (installed.contains(name, Qt::CaseInsensitive)) return name;
        }
        // Of the Song faces Debian packages, AR PL UMing keeps 宋体's grid (a
        // Chinese character as wide as the pixel size, a Latin one half of
        // it), so every label fits its box as laid out; Noto Serif CJK is
        // darker at 12 px but wider, and would wrap and clip "纵筋2直径（mm）".
        // The program embeds UMing cut down to its own texts.
        const QString embedded = QString::fromLatin1(kEmbeddedSongFamily);
        return installed.contains(embedded) ? embedded : QStringLiteral("AR PL UMing CN");
    }();
    return family;
}

}  // namespace

QFont songFont(int pixels) {
    QFont font;
    font.setFamilies({songFamily()});
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

void applyAppearance(QApplication& app) {
    // The Windows style draws the sunken fields and raised buttons of a
    // classic engineering form; Fusion's flat greys would not match the face
    // colour of the diagrams.
    app.setStyle(new CaptionColourStyle(QStyleFactory::create(QStringLiteral("Windows"))));
    QPalette palette = app.style()->standardPalette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, kFaceColour);
        palette.setColor(group, QPalette::Button, kFaceColour);
    }
    app.setPalette(palette);
    app.setFont(songFont(12));
}

void prepareApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Dravik"));
    installQtChineseTexts(app);
    loadEmbeddedSong();
    // The window manager decides when the program ends, not Qt's rule about
    // the last window closed (a message box counts as one for that rule).
    QApplication::setQuitOnLastWindowClosed(false);
    applyAppearance(app);
}

}  // namespace dravik::shell
