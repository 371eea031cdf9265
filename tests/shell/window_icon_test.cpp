// The application icon: drawn at every size the icon theme gets; the windows
// carry the sizes for their screen, each the drawn file pixel for pixel.
#include <QDir>
#include <QRegularExpression>

#include "window_test_support.h"

using namespace dravik;
using namespace dravik::testing;

namespace {

// The drawn icon files, by size: assets/icons/dravik-<size>.png.
QMap<int, QImage> drawnIcons() {
    QMap<int, QImage> icons;
    const QRegularExpression name(QStringLiteral("^dravik-(\\d+)\\.png$"));
    const QDir dir(QStringLiteral(DRAVIK_ASSETS_DIR "/icons"));
    for (const QString& file : dir.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = name.match(file);
        if (match.hasMatch())
            icons.insert(match.captured(1).toInt(), QImage(dir.filePath(file)).convertToFormat(QImage::Format_RGB32));
    }
    return icons;
}

}  // namespace

class WindowIconTest : public QObject {
    Q_OBJECT
private slots:
    // The icon theme gets the sizes desktops ask for, each drawn at its size.
    void theIconIsDrawnAtEveryThemeSize() {
        const QMap<int, QImage> icons = drawnIcons();
        QCOMPARE(icons.keys(), (QList<int>{16, 24, 32, 48, 64, 128, 256}));
        for (auto it = icons.begin(); it != icons.end(); ++it) QCOMPARE(it.value().size(), QSize(it.key(), it.key()));
    }

    // The larger sizes are drawn, not the 32-pixel icon enlarged.
    void largerSizesAreNotTheSmallIconEnlarged() {
        const QMap<int, QImage> icons = drawnIcons();
        for (int size : {64, 128, 256}) {
            const QImage enlarged = icons.value(32).scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            qint64 differing = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const QRgb a = enlarged.pixel(x, y), b = icons.value(size).pixel(x, y);
                    differing +=
                        std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) >
                                24
                            ? 1
                            : 0;
                }
            }
            QVERIFY2(differing > size * size / 20, qPrintable(QStringLiteral("%1 px: %2").arg(size).arg(differing)));
        }
    }

    // The window icon's sizes grow with the screen's device pixel ratio.
    void theWindowIconGrowsWithTheScreen_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QList<int>>("sizes");
        QTest::newRow("1") << 1.0 << QList<int>{32};
        QTest::newRow("1.25") << 1.25 << QList<int>{16, 24, 32, 48, 64, 128};
        QTest::newRow("2") << 2.0 << QList<int>{16, 24, 32, 48, 64, 128};
        QTest::newRow("3") << 3.0 << QList<int>{16, 24, 32, 48, 64, 128};
        QTest::newRow("4") << 4.0 << QList<int>{16, 24, 32, 48, 64, 128, 256};
    }
    void theWindowIconGrowsWithTheScreen() {
        QFETCH(qreal, ratio);
        QFETCH(QList<int>, sizes);
        QCOMPARE(shell::windowIconSizes(ratio), sizes);
    }

    // Every window's icon holds the sizes for its screen, each the drawn
    // file pixel for pixel, and no other. (Run at ratios 1, 2 and 3.)
    void everyWindowCarriesTheSizesForItsScreen_data() {
        QTest::addColumn<QString>("window");
        for (const char* name : {"欢迎使用", "azpjl", "lxzjzpjl", "yzpjl", "zxzjzpjl"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }
    void everyWindowCarriesTheSizesForItsScreen() {
        QFETCH(QString, window);
        Program p;
        p.manager().show(window);
        QWidget* w = p.manager().window(window);
        QVERIFY(w != nullptr);
        const QList<int> wanted = shell::windowIconSizes(w->devicePixelRatioF());
        QVERIFY(wanted.contains(32));
        const QIcon icon = w->windowIcon();
        const QMap<int, QImage> icons = drawnIcons();
        QList<QSize> expectedSizes;
        for (int size : wanted) expectedSizes << QSize(size, size);
        QList<QSize> sizes = icon.availableSizes();
        std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(sizes, expectedSizes);
        for (int size : wanted) {
            const QImage shown = icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_RGB32);
            QVERIFY2(shown == icons.value(size), qPrintable(QString::number(size)));
        }
    }
};

DRAVIK_QTEST_MAIN(WindowIconTest)
#include "window_icon_test.moc"
