// How the windows look: sizes, positions worked out by hand, focus order,
// fonts, colours, stacking, tooltips and the stored pictures.
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtEndian>

#include "shell/picture_box.h"
#include "window_test_support.h"

using namespace dravik;
using namespace dravik::testing;

namespace {

// Opens a window directly by name, shown and active, with the focus where the
// window puts it first.
QWidget* openShown(Program& p, const QString& name) {
    p.manager().show(name);
    QWidget* w = p.manager().window(name);
    if (w == nullptr) return nullptr;
    QApplication::setActiveWindow(w);
    if (!QTest::qWaitForWindowActive(w)) return nullptr;
    return w;
}

// The control that has the focus: a combo box's line edit counts as the combo box.
QString focusName() {
    QWidget* f = QApplication::focusWidget();
    if (f == nullptr) return QStringLiteral("<none>");
    if (qobject_cast<QComboBox*>(f->parentWidget()) != nullptr) f = f->parentWidget();
    return f->objectName();
}

QStringList walk(int steps, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QStringList visited{focusName()};
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        visited << focusName();
    }
    return visited;
}

QPoint absolutePosition(QWidget* window, const char* name) {
    QWidget* w = child(window, name);
    return w == nullptr ? QPoint(-1, -1) : w->mapTo(window, QPoint(0, 0));
}

int countPixels(const QImage& image, const QRect& area, const std::function<bool(QColor)>& wanted) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) n += wanted(image.pixelColor(x, y)) ? 1 : 0;
    }
    return n;
}

bool isRed(QColor c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; }
bool isBlue(QColor c) { return c.blue() > 200 && c.red() < 80 && c.green() < 80; }

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;

private slots:
    void cleanup() { watchdog_.verifyNoneShown(); }

    // The focus order of each window, written out here; the builder takes it
    // from the tab positions of the layout records, so each checks the other.
    void tabAndShiftTabWalkTheFocusOrder_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        // clang-format off
        QTest::newRow("欢迎使用") << "欢迎使用" << QStringList{"Command1", "Command2", "Option1"};
        QTest::newRow("azpjl") << "azpjl" << QStringList{"zjl",  "run",  "exit",  "tjpgl", "zj1zj",    "zj2zj", "dgzj", "xgzj", "zj1sl", "zj2sl", "a",        "b", "hxsl", "zxsl", "gjjj",  "bhhd",  "Command1", "zjmj"};
        QTest::newRow("lxzjzpjl") << "lxzjzpjl" << QStringList{"zj2sl", "zj1sl", "zj2zj", "zj1zj", "bhhd",     "gjjj", "bsl",   "asl", "xgzj",  "dgzj",  "b",     "a",     "exit",     "run",  "tjpgl", "zjl", "csl",   "dsl",   "c",     "d",     "Command1", "zjmj"};
        QTest::newRow("yzpjl") << "yzpjl" << QStringList{"zj2sl", "zj1sl", "zj2zj", "zj1zj", "bhhd",     "gjjj", "bsl", "asl", "xgzj",  "dgzj",  "csl",   "dsl",   "b",        "a",    "c",   "d", "exit",  "run",   "tjpgl", "zjl",   "Command1", "zjmj"};
        QTest::newRow("zxzjzpjl") << "zxzjzpjl" << QStringList{"d",     "c",     "a",   "b",        "dsl",  "csl",   "dgzj", "xgzj",  "asl",   "bsl", "gjjj",     "bhhd", "zj1zj", "zj2zj", "zj1sl", "zj2sl", "run", "exit",     "zjl",  "tjpgl", "e", "f",     "esl",   "fsl", "Command1", "zjmj"};
        // clang-format on
    }
    void tabAndShiftTabWalkTheFocusOrder() {
        QFETCH(QString, window);
        QFETCH(QStringList, order);
        Program p;
        QVERIFY(openShown(p, window) != nullptr);
        const int n = static_cast<int>(order.size());
        QStringList forward = order;
        forward << order.front();  // Tab wraps from the end to the start
        QCOMPARE(walk(n, Qt::Key_Tab), forward);
        QStringList backward{order.front()};
        for (int i = n - 1; i >= 0; --i) backward << order[i];
        QCOMPARE(walk(n, Qt::Key_Backtab, Qt::ShiftModifier), backward);
    }

    void onlyTheSelectedOptionIsATabStop() {
        Program p;
        QWidget* w = openShown(p, shell::kStartWindowName);
        QVERIFY(w != nullptr);
        auto* start = qobject_cast<shell::StartWindow*>(w);
        choose(start->option(3));
        child(w, "Command1")->setFocus(Qt::TabFocusReason);
        QCOMPARE(walk(3, Qt::Key_Tab), (QStringList{"Command1", "Command2", "Option3", "Command1"}));
        QCOMPARE(walk(3, Qt::Key_Backtab, Qt::ShiftModifier),
                 (QStringList{"Command1", "Option3", "Command2", "Command1"}));
    }

    // Client sizes, and positions of controls nested up to two group boxes
    // deep, worked out by hand from their containers' offsets.
    void windowsHaveTheirFixedSizeAndControlsTheirPlaces_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("absolute");
        // clang-format off
        QTest::newRow("start Image4") << "欢迎使用" << QSize(671, 559) << "Image4" << QRect(8 + 256 + 8, 32 + 240 + 24, 236, 152);
        QTest::newRow("start Option2") << "欢迎使用" << QSize(671, 559) << "Option2" << QRect(328, 240, 81, 25);
        QTest::newRow("start Image5") << "欢迎使用" << QSize(671, 559) << "Image5" << QRect(552, 384, 96, 71);
        QTest::newRow("azpjl bhhd") << "azpjl" << QSize(472, 551) << "bhhd" << QRect(128, 368, 65, 20);
        QTest::newRow("azpjl tjpgl") << "azpjl" << QSize(472, 551) << "tjpgl" << QRect(256, 320, 68, 18);
        QTest::newRow("lxzjzpjl c") << "lxzjzpjl" << QSize(489, 537) << "c" << QRect(16, 104, 65, 20);
        QTest::newRow("lxzjzpjl Label8") << "lxzjzpjl" << QSize(489, 537) << "Label8" << QRect(120, 272, 121, 25);
        QTest::newRow("yzpjl Command1") << "yzpjl" << QSize(499, 538) << "Command1" << QRect(176, 488, 65, 33);
        QTest::newRow("zxzjzpjl fsl") << "zxzjzpjl" << QSize(532, 599) << "fsl" << QRect(128, 432, 65, 20);
        QTest::newRow("zxzjzpjl Label1") << "zxzjzpjl" << QSize(532, 599) << "Label1" << QRect(272, 504, 225, 65);
        // clang-format on
    }
    void windowsHaveTheirFixedSizeAndControlsTheirPlaces() {
        QFETCH(QString, window);
        QFETCH(QSize, client);
        QFETCH(QString, control);
        QFETCH(QRect, absolute);
        Program p;
        p.manager().show(window);
        QWidget* w = p.manager().window(window);
        QVERIFY(w != nullptr);
        QCOMPARE(w->size(), client);
        QCOMPARE(w->minimumSize(), client);  // cannot be resized
        QCOMPARE(w->maximumSize(), client);
        QWidget* c = child(w, control.toUtf8().constData());
        QVERIFY(c != nullptr);
        QCOMPARE(QRect(c->mapTo(w, QPoint(0, 0)), c->size()), absolute);
    }

    void windowsOpenCentredAlsoAfterAChangeOfType() {
        Program p;
        p.manager().start();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        auto centredOn = [&](QWidget* w) { return (w->geometry().center() - screen.center()).manhattanLength() <= 2; };
        QVERIFY(centredOn(p.startWindow()));
        click(p.startWindow(), "Command1");
        QVERIFY(centredOn(p.calculator("azpjl")));
        click(p.calculator("azpjl"), "Command1");
        QVERIFY(centredOn(p.startWindow()));
    }

    void controlsUseTheSongFaceAtTheirSizes_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("pixels");
        // clang-format off
        QTest::newRow("title line") << "欢迎使用" << "Label1" << 19;
        QTest::newRow("enter") << "欢迎使用" << "Command1" << 14;
        QTest::newRow("quit") << "欢迎使用" << "Command2" << 14;
        QTest::newRow("option") << "欢迎使用" << "Option4" << 12;
        QTest::newRow("disclaimer") << "欢迎使用" << "Label2" << 12;
        QTest::newRow("calculate") << "azpjl" << "run" << 16;
        QTest::newRow("exit") << "lxzjzpjl" << "exit" << 16;
        QTest::newRow("back keeps the standard size") << "yzpjl" << "Command1" << 12;
        QTest::newRow("result box") << "zxzjzpjl" << "zjmj" << 16;
        QTest::newRow("input") << "zxzjzpjl" << "esl" << 12;
        QTest::newRow("input label") << "azpjl" << "Label8" << 12;
        // clang-format on
    }
    void controlsUseTheSongFaceAtTheirSizes() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(int, pixels);
        Program p;
        p.manager().show(window);
        QWidget* c = child(p.manager().window(window), control.toUtf8().constData());
        QVERIFY(c != nullptr);
        const QFontInfo info(c->font());
        QCOMPARE(info.pixelSize(), pixels);
        const QStringList songFaces{"宋体", "SimSun", "NSimSun", QString::fromLatin1(shell::kEmbeddedSongFamily)};
        QVERIFY2(songFaces.contains(info.family()), qPrintable(info.family()));
        QCOMPARE(info.weight(), int(QFont::Normal));
        QVERIFY(!info.italic());
        // A face with the Chinese glyphs, not a Latin fallback.
        QVERIFY2(QFontMetrics(c->font()).inFontUcs4(U'纵'), qPrintable(info.family()));
        QVERIFY2(QFontMetrics(c->font()).inFontUcs4(U'箍'), qPrintable(info.family()));
    }

    // The windows ask for one family, the embedded face cut down to their own
    // texts; a character a user types that the face lacks must still come
    // from an installed face instead of showing as a box.
    void charactersMissingFromTheEmbeddedFaceStillRender() {
        Program p;
        p.manager().show(QStringLiteral("azpjl"));
        QWidget* field = child(p.manager().window(QStringLiteral("azpjl")), "a");
        QVERIFY(field != nullptr);
        const QFont font = field->font();
        QFont embeddedOnly;
        embeddedOnly.setFamilies({QString::fromLatin1(shell::kEmbeddedSongFamily)});
        embeddedOnly.setStyleStrategy(QFont::NoFontMerging);
        for (char32_t c : {U'鑫', U'砼', U'∑', U'Ω'}) {
            QVERIFY2(!QFontMetrics(embeddedOnly).inFontUcs4(c), "a character of the window texts was chosen");
            QVERIFY2(QFontMetrics(font).inFontUcs4(c), qPrintable(QString::fromUcs4(&c, 1)));
        }
    }

    // Every character any window shows is in the embedded Song face, so no
    // caption falls back to another face.
    void theEmbeddedSongFaceHoldsEveryCharacterShown_data() {
        QTest::addColumn<QString>("window");
        for (const char* name : {"欢迎使用", "azpjl", "lxzjzpjl", "yzpjl", "zxzjzpjl"}) QTest::newRow(name) << name;
    }
    void theEmbeddedSongFaceHoldsEveryCharacterShown() {
        QFETCH(QString, window);
        Program p;
        p.manager().show(window);
        QWidget* w = p.manager().window(window);
        QStringList texts{w->windowTitle(), QString::fromUtf8(layouts::kAlreadyRunningMessage.data(),
                                                              qsizetype(layouts::kAlreadyRunningMessage.size()))};
        for (QWidget* c : w->findChildren<QWidget*>()) {
            texts << c->toolTip();
            if (auto* label = qobject_cast<QLabel*>(c)) texts << label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(c)) texts << button->text();
            if (auto* box = qobject_cast<QGroupBox*>(c)) texts << box->title();
            if (auto* edit = qobject_cast<QLineEdit*>(c)) texts << edit->text();
            if (auto* field = qobject_cast<QComboBox*>(c)) {
                for (int i = 0; i < field->count(); ++i) texts << field->itemText(i);
            }
        }
        QFont embedded;
        embedded.setFamilies({QString::fromLatin1(shell::kEmbeddedSongFamily)});
        QCOMPARE(QFontInfo(embedded).family(), QString::fromLatin1(shell::kEmbeddedSongFamily));
        const QFontMetrics metrics(embedded);
        const QString missing = charactersMissingFrom(metrics, texts);
        QVERIFY2(missing.isEmpty(), qPrintable(missing));
    }

    // Qt looks up its elision mark whenever it lays out a text that might be
    // shortened; were it missing from the embedded face, the first paint
    // would search the installed faces for it, at a cost in start-up time
    // and memory.
    void theEmbeddedSongFaceHoldsQtsElisionMark() {
        QFont embeddedOnly;
        embeddedOnly.setFamilies({QString::fromLatin1(shell::kEmbeddedSongFamily)});
        embeddedOnly.setStyleStrategy(QFont::NoFontMerging);
        QCOMPARE(QFontInfo(embeddedOnly).family(), QString::fromLatin1(shell::kEmbeddedSongFamily));
        QVERIFY(QFontMetrics(embeddedOnly).inFontUcs4(U'\u2026'));
    }

    // Only the step captions are red and the result caption blue; the group
    // boxes nested in them keep the system colour.
    void onlyTheStepAndResultCaptionsAreColoured() {
        Program p;
        QWidget* w = openShown(p, "azpjl");
        QVERIFY(w != nullptr);
        const QImage image = w->grab().toImage();
        // Caption strips: Frame6 at (8,8), its nested Frame7 at (8,40), Frame1 at (248,248).
        QVERIFY(countPixels(image, QRect(12, 8, 120, 12), isRed) > 20);
        QCOMPARE(countPixels(image, QRect(12, 40, 80, 12), isRed), 0);
        QVERIFY(countPixels(image, QRect(252, 248, 80, 12), isBlue) > 20);
        // Step two's caption is red, its buttons are not.
        QVERIFY(countPixels(image, QRect(12, 432, 120, 12), isRed) > 20);
        QCOMPARE(countPixels(image, QRect(16, 472, 217, 33), isRed), 0);
        // The result boxes write blue.
        QVERIFY(countPixels(image, QRect(256, 280, 68, 18), isBlue) > 10);
    }

    // The section diagrams are drawn on the face colour of their group boxes,
    // so no rectangle shows around them.
    void diagramsMergeWithTheirGroupBoxes() {
        Program p;
        QWidget* w = openShown(p, shell::kStartWindowName);
        QVERIFY(w != nullptr);
        const QImage image = w->grab().toImage();
        const QColor face(212, 208, 200);
        auto nearFace = [&](QColor c) {
            return std::abs(c.red() - face.red()) <= 2 && std::abs(c.green() - face.green()) <= 2 &&
                   std::abs(c.blue() - face.blue()) <= 2;
        };
        QVERIFY(nearFace(image.pixelColor(300, 20)));  // the window itself
        for (const char* name : {"Image1", "Image2", "Image3", "Image4"}) {
            const QRect r(absolutePosition(w, name), child(w, name)->size());
            // Just inside and just outside each picture's edge.
            for (QPoint pt : {r.topLeft() + QPoint(1, 1), r.topLeft() - QPoint(2, 2), r.bottomRight() - QPoint(1, 1),
                              r.bottomRight() + QPoint(2, 2)}) {
                QVERIFY2(nearFace(image.pixelColor(pt)), name);
            }
        }
    }

    // A label lies beneath the controls that overlap it, and of two
    // overlapping labels the later one lies on top.
    void labelsLieBeneathOverlappingControls() {
        Program p;
        p.manager().show("azpjl");
        QWidget* w = p.manager().window("azpjl");
        // Label5 (16,56 81×25) and the combo box a (16,72 65×20) overlap.
        QWidget* hit = w->childAt(20, 76);
        QVERIFY(hit != nullptr);
        QVERIFY(hit == child(w, "a") || hit->parentWidget() == child(w, "a"));
        // Label17 (256,264 145×17) and Label10 (344,264 105×17) overlap.
        QCOMPARE(w->childAt(350, 270), child(w, "Label10"));
        // Label9 (16,264 105×25) and Label8 (104,264 121×25) overlap.
        QCOMPARE(w->childAt(108, 270), child(w, "Label8"));
    }

    void labelsWrapAndAreOpaque() {
        Program p;
        p.manager().show("zxzjzpjl");
        auto* disclaimer = qobject_cast<QLabel*>(child(p.manager().window("zxzjzpjl"), "Label1"));
        QVERIFY(disclaimer != nullptr);
        QVERIFY(disclaimer->wordWrap());
        QVERIFY(disclaimer->autoFillBackground());
        QVERIFY(disclaimer->text().startsWith(QStringLiteral("    声明：")));
        QVERIFY(disclaimer->text().contains(QStringLiteral("计算结果仅供参考，请设计人员在复核后使用。")));
        QVERIFY(disclaimer->text().contains(QStringLiteral("联系方式：")));
    }

    void onlyTheNamedControlsCarryTooltips_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("withTooltip");
        // clang-format off
        QTest::newRow("欢迎使用") << "欢迎使用" << QStringList{"Image5"};
        QTest::newRow("azpjl") << "azpjl" << QStringList{"Image2", "Label15", "Label16", "Label5", "Label6", "Label8", "Label9"};
        QTest::newRow("zxzjzpjl") << "zxzjzpjl" << QStringList{"Image2",  "Label10", "Label11", "Label15", "Label16", "Label20", "Label21", "Label5",  "Label6",  "Label8",  "Label9"};
        // clang-format on
    }
    void onlyTheNamedControlsCarryTooltips() {
        QFETCH(QString, window);
        QFETCH(QStringList, withTooltip);
        Program p;
        p.manager().show(window);
        QStringList found;
        for (QWidget* c : p.manager().window(window)->findChildren<QWidget*>()) {
            if (!c->toolTip().isEmpty()) found << c->objectName();
        }
        found.sort();
        QCOMPARE(found, withTooltip);
    }

    void noButtonIsPressedByEnterOrEscape() {
        Program p;
        p.manager().show("azpjl");
        for (QPushButton* b : p.manager().window("azpjl")->findChildren<QPushButton*>()) {
            QVERIFY(!b->autoDefault());
            QVERIFY(!b->isDefault());
        }
    }

    // Each stored picture has its size and format: the BMP files are 24-bit
    // uncompressed and the icon holds one 24-bit image. What the program
    // shows is exactly what the stored file holds.
    void storedPicturesHaveTheirSizesAndFormats_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QSize>("size");
        QTest::newRow("icon") << "dravik.ico" << QByteArray("ico") << QSize(32, 32);
        QTest::newRow("logo") << "logo.jpg" << QByteArray("jpeg") << QSize(465, 308);
        QTest::newRow("rectangle") << "section_rectangle.bmp" << QByteArray("bmp") << QSize(168, 181);
        QTest::newRow("L") << "section_l.bmp" << QByteArray("bmp") << QSize(189, 165);
        QTest::newRow("flanged") << "section_flanged.jpg" << QByteArray("jpeg") << QSize(208, 162);
        QTest::newRow("Z") << "section_z.jpg" << QByteArray("jpeg") << QSize(300, 184);
    }
    void storedPicturesHaveTheirSizesAndFormats() {
        QFETCH(QString, file);
        QFETCH(QByteArray, format);
        QFETCH(QSize, size);
        const QString path = QStringLiteral(DRAVIK_ASSETS_DIR "/") + file;
        QImageReader reader(path);
        QCOMPARE(reader.format(), format);
        QCOMPARE(reader.imageCount() <= 1 ? 1 : reader.imageCount(), 1);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.size(), size);
        QFile stored(path);
        QVERIFY(stored.open(QIODevice::ReadOnly));
        const QByteArray bytes = stored.readAll();
        if (format == "bmp") {
            QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), quint16(24));  // bits per pixel
            QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 30), quint32(0));   // BI_RGB
        } else if (format == "ico") {
            QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 4), quint16(1));    // one image
            QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 12), quint16(24));  // 24-bit colour
        }
        if (file == "dravik.ico") {  // the one picture no window control shows
            const QImage embedded = shell::windowIcon().pixmap(32, 32).toImage();
            QCOMPARE(embedded.convertToFormat(QImage::Format_RGB32), image.convertToFormat(QImage::Format_RGB32));
        }
    }

    // The pictures the windows show are the stored pictures, pixel for pixel.
    void windowsShowTheStoredPictures_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("file");
        // clang-format off
        QTest::newRow("start rectangle") << "欢迎使用" << "Image1" << "section_rectangle.bmp";
        QTest::newRow("start L") << "欢迎使用" << "Image2" << "section_l.bmp";
        QTest::newRow("start flanged") << "欢迎使用" << "Image3" << "section_flanged.jpg";
        QTest::newRow("start Z") << "欢迎使用" << "Image4" << "section_z.jpg";
        QTest::newRow("start logo") << "欢迎使用" << "Image5" << "logo.jpg";
        QTest::newRow("azpjl diagram") << "azpjl" << "Image1" << "section_rectangle.bmp";
        QTest::newRow("lxzjzpjl diagram") << "lxzjzpjl" << "Image1" << "section_l.bmp";
        QTest::newRow("yzpjl diagram") << "yzpjl" << "Image1" << "section_flanged.jpg";
        QTest::newRow("zxzjzpjl diagram") << "zxzjzpjl" << "Image1" << "section_z.jpg";
        QTest::newRow("zxzjzpjl logo") << "zxzjzpjl" << "Image2" << "logo.jpg";
        // clang-format on
    }
    void windowsShowTheStoredPictures() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, file);
        Program p;
        p.manager().show(window);
        auto* shown = qobject_cast<shell::PictureBox*>(child(p.manager().window(window), control.toUtf8().constData()));
        QVERIFY(shown != nullptr);
        const QImage stored =
            QImage(QStringLiteral(DRAVIK_ASSETS_DIR "/") + file).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!stored.isNull());
        QCOMPARE(shown->image().convertToFormat(QImage::Format_RGB32), stored);
    }

    // A picture fills its control's rectangle, stretched without keeping
    // its proportions: the rendered control matches the stored picture
    // scaled to that rectangle.
    void picturesAreStretchedToTheirControls_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QSize>("size");
        // clang-format off
        QTest::newRow("azpjl diagram") << "azpjl" << "Image1" << QSize(199, 195);
        QTest::newRow("start diagram") << "欢迎使用" << "Image1" << QSize(184, 157);
        QTest::newRow("start logo") << "欢迎使用" << "Image5" << QSize(96, 71);
        QTest::newRow("lxzjzpjl logo") << "lxzjzpjl" << "Image2" << QSize(151, 103);
        // clang-format on
    }
    void picturesAreStretchedToTheirControls() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QSize, size);
        Program p;
        p.manager().show(window);
        auto* box = qobject_cast<shell::PictureBox*>(child(p.manager().window(window), control.toUtf8().constData()));
        QVERIFY(box != nullptr);
        QCOMPARE(box->size(), size);
        QCOMPARE(box->focusPolicy(), Qt::NoFocus);
        const QImage rendered = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected = box->image()
                                    .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                    .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(rendered.size(), size);
        qint64 difference = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QColor a = rendered.pixelColor(x, y), b = expected.pixelColor(x, y);
                difference +=
                    std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
            }
        }
        // Smooth scalings may differ by a few levels, a misplaced or unstretched picture by far more.
        QVERIFY2(difference / (3 * size.width() * size.height()) < 6, qPrintable(QString::number(difference)));
    }
};

DRAVIK_QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
