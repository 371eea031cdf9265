// The pictures on a screen with more device pixels per pixel: the windows
// show the finer drawings, not an enlarged copy of the stored picture. Runs
// with QT_SCALE_FACTOR set (2 and 3, see CMakeLists.txt).
#include <QImageReader>

#include "shell/picture_box.h"
#include "window_test_support.h"

using namespace dravik;
using namespace dravik::testing;

namespace {

QString assetPath(const QString& file) { return QStringLiteral(DRAVIK_ASSETS_DIR "/") + file; }

// The share of the pixels of two images of one size that differ.
double differingShare(const QImage& a, const QImage& b) {
    qint64 differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    }
    return double(differing) / (double(a.width()) * a.height());
}

}  // namespace

class HidpiPictureTest : public QObject {
    Q_OBJECT
private slots:
    // Which drawing a screen gets: the stored one up to one device pixel per
    // pixel, else the coarsest drawing at least as fine as the screen.
    void theDrawingIsTheCoarsestAtLeastAsFineAsTheScreen_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("scale");
        QTest::newRow("0.75") << 0.75 << 1;
        QTest::newRow("1") << 1.0 << 1;
        QTest::newRow("1.25") << 1.25 << 2;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("1.75") << 1.75 << 2;
        QTest::newRow("2") << 2.0 << 2;
        QTest::newRow("2.25") << 2.25 << 3;
        QTest::newRow("3") << 3.0 << 3;
        QTest::newRow("4, beyond the finest") << 4.0 << 3;
    }
    void theDrawingIsTheCoarsestAtLeastAsFineAsTheScreen() {
        QFETCH(qreal, ratio);
        QFETCH(int, scale);
        QCOMPARE(shell::drawnScaleFor(ratio), scale);
    }

    // Every finer drawing is embedded, the stored picture's size times its scale.
    void everyFinerDrawingIsEmbedded_data() {
        QTest::addColumn<layouts::StoredPicture>("picture");
        QTest::addColumn<QSize>("size");
        QTest::newRow("logo") << layouts::StoredPicture::Logo << QSize(465, 308);
        QTest::newRow("rectangle") << layouts::StoredPicture::SectionRectangle << QSize(168, 181);
        QTest::newRow("L") << layouts::StoredPicture::SectionL << QSize(189, 165);
        QTest::newRow("flanged") << layouts::StoredPicture::SectionFlanged << QSize(208, 162);
        QTest::newRow("Z") << layouts::StoredPicture::SectionZ << QSize(300, 184);
    }
    void everyFinerDrawingIsEmbedded() {
        QFETCH(layouts::StoredPicture, picture);
        QFETCH(QSize, size);
        QCOMPARE(shell::drawnPicture(picture, 1).size(), size);
        for (int scale : {2, 3}) QCOMPARE(shell::drawnPicture(picture, scale).size(), size * scale);
        QVERIFY(shell::drawnPicture(picture, 4).isNull());
        QVERIFY(shell::drawnPicture(layouts::StoredPicture::NoPicture, 2).isNull());
    }

    // Each picture's area of each window, grabbed at the screen's ratio, is
    // the finer drawing scaled smoothly to the control's size in device
    // pixels, and clearly not the stored picture enlarged to it.
    void windowsShowTheFinerDrawings_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("stem");
        auto row = [](const char* name, const char* window, const char* control, const char* stem) {
            QTest::newRow(name) << QString::fromUtf8(window) << QString::fromUtf8(control) << QString::fromUtf8(stem);
        };
        row("start rectangle", "欢迎使用", "Image1", "section_rectangle");
        row("start L", "欢迎使用", "Image2", "section_l");
        row("start flanged", "欢迎使用", "Image3", "section_flanged");
        row("start Z", "欢迎使用", "Image4", "section_z");
        row("start logo", "欢迎使用", "Image5", "logo");
        row("azpjl diagram", "azpjl", "Image1", "section_rectangle");
        row("azpjl logo", "azpjl", "Image2", "logo");
        row("lxzjzpjl diagram", "lxzjzpjl", "Image1", "section_l");
        row("lxzjzpjl logo", "lxzjzpjl", "Image2", "logo");
        row("yzpjl diagram", "yzpjl", "Image1", "section_flanged");
        row("yzpjl logo", "yzpjl", "Image2", "logo");
        row("zxzjzpjl diagram", "zxzjzpjl", "Image1", "section_z");
        row("zxzjzpjl logo", "zxzjzpjl", "Image2", "logo");
    }
    void windowsShowTheFinerDrawings() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, stem);
        Program p;
        p.manager().show(window);
        auto* box = qobject_cast<shell::PictureBox*>(child(p.manager().window(window), control.toUtf8().constData()));
        QVERIFY(box != nullptr);
        const qreal ratio = box->devicePixelRatioF();
        QVERIFY2(ratio == 2.0 || ratio == 3.0, "run with QT_SCALE_FACTOR=2 or 3");
        const int scale = int(ratio);

        const QSize deviceSize = box->size() * scale;
        const QImage finer = QImage(assetPath(QStringLiteral("hidpi/%1@%2x.png").arg(stem).arg(scale)));
        QCOMPARE(finer.size(), box->image().size() * scale);
        const QImage expected = finer.scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                    .convertToFormat(QImage::Format_RGB32);
        const QImage enlarged = box->image()
                                    .scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                    .convertToFormat(QImage::Format_RGB32);

        QWidget* w = box->window();
        const QPixmap grabbed = w->grab();
        QCOMPARE(grabbed.devicePixelRatio(), ratio);
        QCOMPARE(grabbed.size(), w->size() * scale);
        const QRect area(box->mapTo(w, QPoint(0, 0)) * scale, deviceSize);
        const QImage shown = grabbed.toImage().copy(area).convertToFormat(QImage::Format_RGB32);
        // The two candidates differ, so the comparison below tells them apart
        // in at least one pixel in twenty (the flat ground of the diagrams is
        // alike in both).
        const double share = differingShare(enlarged, expected);
        QVERIFY2(share > 0.05, qPrintable(QString::number(share)));
        QCOMPARE(shown, expected);
    }
};

DRAVIK_QTEST_MAIN(HidpiPictureTest)
#include "hidpi_picture_test.moc"
