// The calculation sheet from the window: Ctrl+P, Ctrl+S and Ctrl+Shift+C
// press "计算" first, then print, save or copy what the window shows.
#include <sys/mount.h>
#include <sys/resource.h>

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <csignal>
#include <optional>

#include "sections/shapes.h"
#include "sheet/sheet_review.h"
#include "sheet/window_texts.h"
#include "shell/qt_text.h"
#include "shell/sheet_dialogs.h"
#include "shell/sheet_document.h"
#include "shell/sheet_info_dialog.h"
#include "window_test_support.h"

using namespace dravik;
using namespace dravik::testing;
using sections::Result;

namespace {

// The shape of a data row's "shape" column, an int as Qt Test's columns are.
const sections::SectionShape& shapeAt(int row) { return *sections::allShapes()[static_cast<std::size_t>(row)]; }

// Answers the sheet's dialogs as a user would, and remembers what they were
// asked.
class ScriptedDialogs : public shell::SheetDialogs {
public:
    QString saveAs;      // the file "chosen"; empty: cancel
    QString printToPdf;  // the printer "chosen" prints to this file
    QStringList proposedNames;
    QStringList printDocNames;
    int printDialogs = 0;
    // 计算书信息: what the dialog was shown with, what the user enters.
    QList<shell::SheetInfo> infoShown;
    shell::SheetInfo infoEntered;
    bool cancelInfo = false;

    bool askSheetInfo(QWidget*, shell::SheetInfo& info) override {
        infoShown << info;
        if (cancelInfo) return false;
        info = infoEntered;
        return true;
    }
    QString saveFileName(QWidget*, const QString& proposed) override {
        proposedNames << proposed;
        return saveAs;
    }
    bool setUpPrinter(QWidget*, QPrinter& printer) override {
        ++printDialogs;
        printDocNames << printer.docName();
        if (printToPdf.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToPdf);
        return true;
    }
};

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The PDF's text without any white space, so that a text the page wrapped
// over two lines is still found whole.
QString pdfText(const QString& file) {
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-raw"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")})
        .remove(QRegularExpression(QStringLiteral("\\s")));
}

QString squeezed(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

void type(QComboBox* field, const QString& text) {
    field->lineEdit()->selectAll();
    QTest::keyClick(field->lineEdit(), Qt::Key_Delete);
    QTest::keyClicks(field->lineEdit(), text);
}

QStringList resultTexts(shell::CalculatorWindow* w) {
    return {w->result(Result::SteelArea)->text(), w->result(Result::LongitudinalRatio)->text(),
            w->result(Result::HoopRatio)->text()};
}

// The texts every sheet of `shape` must hold: the caption, every label,
// the three results as shown and the disclaimer.
QStringList textsOnTheSheet(const sections::SectionShape& shape, shell::CalculatorWindow* w) {
    const layouts::WindowLayout& layout = *layouts::calculatorLayout(shape.windowName);
    QStringList texts{shell::qs(shape.typeName) + QStringLiteral("计算书"), shell::qs(shape.caption)};
    for (const sections::InputField& input : shape.inputs) texts << shell::qs(sheet::inputLabel(layout, input));
    for (Result r : {Result::SteelArea, Result::LongitudinalRatio, Result::HoopRatio}) {
        texts << shell::qs(sheet::resultLabel(layout, r));
        texts << w->result(r)->text();
    }
    texts << shell::qs(sheet::captionOf(layout, layouts::Role::Disclaimer));
    return texts;
}

// Runs `open` on the menu that pops up and gives the texts of its actions.
QStringList popupMenuTexts(const std::function<void()>& open) {
    QStringList texts;
    QTimer::singleShot(100, [&texts] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions()) texts << a->text();
            menu->close();
        }
    });
    open();
    QTest::qWait(150);
    return texts;
}

// Every word's box on the first page, in points from the top left, in
// reading order (pdftotext -bbox).
QList<QRectF> wordBoxes(const QString& file) {
    const QString xhtml =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                          QStringLiteral("-l"), QStringLiteral("1"), file, QStringLiteral("-")});
    QList<QRectF> boxes;
    const QRegularExpression word(
        QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\""));
    for (auto it = word.globalMatch(xhtml); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        boxes << QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                        QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
    }
    return boxes;
}

// A tmpfs of the given options mounted on `folder` while it lives; needs
// root (CI runs as root), otherwise mounted() is false.
class SmallDisk {
public:
    SmallDisk(const QString& folder, const char* options) : folder_(QFile::encodeName(folder)) {
        mounted_ = ::mount("tmpfs", folder_.constData(), "tmpfs", 0, options) == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(folder_.constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }

private:
    QByteArray folder_;
    bool mounted_ = false;
};

// The system refuses to let this process write a file past `bytes` while it
// lives (RLIMIT_FSIZE): a write that crosses the limit is cut short, the
// next one fails with EFBIG. SIGXFSZ, which would end the process, is
// ignored meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

void rightClick(QWidget* widget) {
    const QPoint at(widget->width() / 2, widget->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
}

}  // namespace

class CalculationSheetTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;
    ScriptedDialogs* dialogs_ = nullptr;
    QTemporaryDir dir_;

    shell::CalculatorWindow* open(Program& p, const QString& name) {
        p.manager().show(name);
        shell::CalculatorWindow* w = p.calculator(name);
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w)) qWarning("window not active");
        return w;
    }

private slots:
    void initTestCase() {
        // The remembered 计算书信息 go to a folder of the test's own.
        qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toUtf8());
    }
    void init() {
        auto dialogs = std::make_unique<ScriptedDialogs>();
        dialogs_ = dialogs.get();
        dialogs_->infoEntered.titleBlock.project = "滨江花园";
        shell::setSheetDialogs(std::move(dialogs));
    }
    void cleanup() {
        shell::setSheetDialogs(nullptr);
        watchdog_.verifyNoneShown();
    }

    void ctrlSSavesAnA4PageWithEveryTextOfTheWindow_data() {
        QTest::addColumn<int>("shape");
        for (int i = 0; i < 4; ++i) QTest::newRow(shapeAt(i).windowName.data()) << i;
    }
    void ctrlSSavesAnA4PageWithEveryTextOfTheWindow() {
        QFETCH(int, shape);
        const sections::SectionShape& s = shapeAt(shape);
        Program p;
        shell::CalculatorWindow* w = open(p, shell::qs(s.windowName));
        dialogs_->saveAs = dir_.filePath(shell::qs(s.windowName) + QStringLiteral(".pdf"));
        QTest::keyClick(w->input(QStringLiteral("a")), Qt::Key_S, Qt::ControlModifier);

        // "计算" was pressed: the results carry the display rule's blank.
        QVERIFY(w->result(Result::SteelArea)->text().startsWith(QLatin1Char(' ')));
        QCOMPARE(dialogs_->proposedNames.size(), 1);
        QVERIFY2(dialogs_->proposedNames[0].endsWith(QLatin1Char('/') + shell::qs(s.typeName) +
                                                     QStringLiteral("-计算书.pdf")),
                 qPrintable(dialogs_->proposedNames[0]));
        QVERIFY(QFile::exists(dialogs_->saveAs));

        const QString info = run(QStringLiteral("pdfinfo"), {dialogs_->saveAs});
        QVERIFY2(info.contains(QStringLiteral("(A4)")), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
        const QString fonts = run(QStringLiteral("pdffonts"), {dialogs_->saveAs});
        const QStringList fontLines = fonts.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fontLines.isEmpty());
        for (const QString& line : fontLines) {
            // Columns: name, type, encoding, embedded, subset, unicode map.
            QVERIFY2(line.contains(QRegularExpression(QStringLiteral("\\syes\\s+(yes|no)\\s+yes\\s"))),
                     qPrintable(line));
        }

        const QString text = pdfText(dialogs_->saveAs);
        for (const QString& expected : textsOnTheSheet(s, w)) {
            QVERIFY2(text.contains(squeezed(expected)), qPrintable(QStringLiteral("missing: ") + expected));
        }
    }

    // Every page has the footer with its number of all; the first the
    // title block; the check follows the steps.
    void aReviewedSheetHasItsTitleBlockFooterAndCheck_data() {
        QTest::addColumn<int>("shape");
        for (int i = 0; i < 4; ++i) QTest::newRow(shapeAt(i).windowName.data()) << i;
    }
    void aReviewedSheetHasItsTitleBlockFooterAndCheck() {
        QFETCH(int, shape);
        const sections::SectionShape& s = shapeAt(shape);
        std::vector<std::string_view> defaults;
        for (const sections::InputField& input : s.inputs) defaults.push_back(input.defaultText);
        sheet::CalculationSheet reviewed = sheet::makeSheet(s, defaults, "2026-12-09 10:00", "1.2.0");
        sheet::addReview(reviewed, {"滨江花园", "3号楼", "GBZ1", "1～3层", "张工", "李工", "王工", "2026-12-09"},
                         {"C30", "HRB400", "0.20", "0.5"});
        const QString file = dir_.filePath(QStringLiteral("reviewed.pdf"));
        QVERIFY(shell::writeSheetPdf(reviewed, file).isEmpty());
        const QString info = run(QStringLiteral("pdfinfo"), {file});
        const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        QVERIFY2(pages.hasMatch(), qPrintable(info));
        const int count = pages.captured(1).toInt();
        QCOMPARE(count, 1);  // set tighter, a reviewed sheet keeps to its page
        for (int page = 1; page <= count; ++page) {
            const QString text = squeezed(run(
                QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                 QString::number(page), QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")}));
            QVERIFY2(text.contains(QStringLiteral("第%1页共%2页").arg(page).arg(count)), qPrintable(text));
            QVERIFY2(
                text.contains(
                    QStringLiteral("暗柱计算书GBZ1滨江花园").replace(QStringLiteral("暗柱"), shell::qs(s.typeName))),
                qPrintable(text));
            QCOMPARE(text.contains(QStringLiteral("工程名称滨江花园")), page == 1);
        }
        const QString text = pdfText(file);
        for (const char* piece : {"构件编号GBZ1", "楼层/部位1～3层", "审核王工", "四、验算", "fc按C35取值",
                                  "[ρv]=λv·fc/fyv=0.20×16.7/360=0.9277777778%", "≥ρmin=0.5%，满足"}) {
            QVERIFY2(text.contains(QString::fromUtf8(piece)), piece);
        }
    }

    // The dialog comes before the window's first print or save, and from
    // the menu; the member is asked each time, the rest is remembered.
    void sheetInfoIsAskedFirstAndRemembered() {
        QFile::remove(shell::programSettings()->fileName());
        Program p;
        shell::CalculatorWindow* w = open(p, QStringLiteral("azpjl"));
        dialogs_->infoEntered.titleBlock.memberId = "GBZ1";
        dialogs_->infoEntered.requirements = {"C30", "HRB400", "0.20", "1.00"};
        dialogs_->saveAs = dir_.filePath(QStringLiteral("first/GBZ1.pdf"));
        QVERIFY(QDir().mkpath(dir_.filePath(QStringLiteral("first"))));
        QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs_->infoShown.size(), 1);
        QVERIFY(dialogs_->infoShown[0].titleBlock.project.empty());
        QCOMPARE(QString::fromStdString(dialogs_->infoShown[0].titleBlock.date),
                 QDate::currentDate().toString(Qt::ISODate));
        QVERIFY2(dialogs_->proposedNames[0].endsWith(QStringLiteral("/GBZ1-暗柱-计算书.pdf")),
                 qPrintable(dialogs_->proposedNames[0]));
        const QString text = pdfText(dialogs_->saveAs);
        QVERIFY(text.contains(QStringLiteral("工程名称滨江花园")));
        QVERIFY(text.contains(QStringLiteral("验算结论：满足")));

        // Printing next: no dialog, the same name; the save starts in the folder last used.
        dialogs_->printToPdf = dir_.filePath(QStringLiteral("printed.pdf"));
        QTest::keyClick(w, Qt::Key_P, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs_->infoShown.size(), 1);
        QCOMPARE(dialogs_->printDocNames, QStringList{QStringLiteral("GBZ1-暗柱-计算书")});
        QCOMPARE(dialogs_->proposedNames[1], dir_.filePath(QStringLiteral("first/GBZ1-暗柱-计算书.pdf")));

        // From the menu, and in a new window: remembered but the member.
        w->actions().last()->trigger();
        Program again;
        shell::CalculatorWindow* other = open(again, QStringLiteral("yzpjl"));
        dialogs_->cancelInfo = true;
        QTest::keyClick(other, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs_->infoShown.size(), 3);
        for (const shell::SheetInfo& shown : dialogs_->infoShown.mid(1)) {
            QCOMPARE(shown.titleBlock.project, std::string("滨江花园"));
            QCOMPARE(shown.requirements.lambdaV, std::string("0.20"));
            QVERIFY(shown.titleBlock.memberId.empty());
        }
        QCOMPARE(dialogs_->proposedNames.size(), 2);  // cancelled: no save dialog
    }

    // The real dialog: shown with what it is given, it gives back what was entered.
    void theSheetInfoDialogGivesBackWhatWasEntered() {
        shell::SheetInfo info;
        info.titleBlock.project = "滨江花园";
        info.requirements.hoopSteel = "HRB400";
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("计算书信息"));
            QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("project"))->text(), QStringLiteral("滨江花园"));
            dialog->findChild<QLineEdit*>(QStringLiteral("member"))->setText(QStringLiteral(" GBZ9 "));
            const QList<QComboBox*> choices = dialog->findChildren<QComboBox*>();
            QCOMPARE(choices.size(), 2);
            QCOMPARE(choices[1]->currentText(), QStringLiteral("HRB400"));
            choices[0]->setCurrentText(QStringLiteral("C30"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QVERIFY(shell::runSheetInfoDialog(nullptr, info));
        watchdog_.clear();
        QCOMPARE(info.titleBlock.memberId, std::string("GBZ9"));
        QCOMPARE(info.titleBlock.project, std::string("滨江花园"));
        QCOMPARE(info.requirements.concreteGrade, std::string("C30"));
        QCOMPARE(info.requirements.hoopSteel, std::string("HRB400"));
    }

    // Printed to a PDF printer and saved: the same page, text at the same places.
    void printAndSaveHaveTheSameMargins() {
        Program p;
        shell::CalculatorWindow* w = open(p, QStringLiteral("lxzjzpjl"));
        dialogs_->saveAs = dir_.filePath(QStringLiteral("saved.pdf"));
        dialogs_->printToPdf = dir_.filePath(QStringLiteral("printed.pdf"));
        QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_P, Qt::ControlModifier);
        const QList<QRectF> saved = wordBoxes(dialogs_->saveAs);
        const QList<QRectF> printed = wordBoxes(dialogs_->printToPdf);
        QVERIFY(saved.size() > 20);
        QCOMPARE(printed.size(), saved.size());
        // The first word (the title), the left margin's word and the footer's last.
        for (const QRectF& box : {saved.first(), saved.last()}) {
            const QRectF& other = printed[saved.indexOf(box)];
            QVERIFY2(std::abs(box.left() - other.left()) < 1 && std::abs(box.bottom() - other.bottom()) < 1,
                     qPrintable(QStringLiteral("%1,%2 vs %3,%4")
                                    .arg(box.left())
                                    .arg(box.bottom())
                                    .arg(other.left())
                                    .arg(other.bottom())));
        }
        double savedLeft = 1e9, printedLeft = 1e9;
        for (int i = 0; i < saved.size(); ++i) {
            savedLeft = std::min(savedLeft, saved[i].left());
            printedLeft = std::min(printedLeft, printed[i].left());
        }
        QVERIFY2(std::abs(savedLeft - printedLeft) < 1 && std::abs(savedLeft - 18 * 72 / 25.4) < 2,
                 qPrintable(QString::number(printedLeft)));
    }

    // The copied rows, saved as CSV, give dravik-batch's results the window's.
    void copiedRowsRunThroughTheBatchTool_data() {
        QTest::addColumn<int>("shape");
        for (int i = 0; i < 4; ++i) QTest::newRow(shapeAt(i).windowName.data()) << i;
    }
    void copiedRowsRunThroughTheBatchTool() {
        QFETCH(int, shape);
        const sections::SectionShape& s = shapeAt(shape);
        Program p;
        shell::CalculatorWindow* w = open(p, shell::qs(s.windowName));
        type(w->input(shell::qs(s.inputs[0].name)), QStringLiteral("455"));
        dialogs_->infoEntered.titleBlock.memberId = "GBZ" + std::to_string(shape + 7);
        w->actions().last()->trigger();
        QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QStringList rows = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 2);
        QVERIFY(rows[0].startsWith(QStringLiteral("形状\t构件编号\t")));
        QVERIFY(rows[1].startsWith(shell::qs(s.typeName) + QStringLiteral("\tGBZ%1\t455\t").arg(shape + 7)));

        // As a spreadsheet saves it: commas between cells, the results left as copied.
        QFile csv(dir_.filePath(QStringLiteral("copied.csv")));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write(QGuiApplication::clipboard()->text().replace(QLatin1Char('\t'), QLatin1Char(',')).toUtf8());
        csv.close();
        QProcess batch;
        batch.start(QStringLiteral(DRAVIK_BATCH_PROGRAM), {csv.fileName()});
        QVERIFY(batch.waitForFinished(30000));
        QCOMPARE(batch.exitCode(), 0);
        const QStringList out =
            QString::fromUtf8(batch.readAllStandardOutput()).split(QStringLiteral("\n"), Qt::SkipEmptyParts);
        QCOMPARE(out.size(), 2);
        QVERIFY2(out[1].trimmed().startsWith(QString(rows[1]).replace(QLatin1Char('\t'), QLatin1Char(','))),
                 qPrintable(out[1]));
    }

    void theSheetIsMadeFromTheFieldsAsTheyStandWhenAsked() {
        Program p;
        shell::CalculatorWindow* w = open(p, QStringLiteral("azpjl"));
        type(w->input(QStringLiteral("hxsl")), QStringLiteral("2.5"));
        w->input(QStringLiteral("hxsl"))->lineEdit()->insert(QStringLiteral("根"));
        dialogs_->saveAs = dir_.filePath(QStringLiteral("edited.pdf"));
        QTest::keyClick(w->input(QStringLiteral("hxsl")), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(resultTexts(w), (QStringList{" 3996", " 1.25", " .97"}));
        const QString text = pdfText(dialogs_->saveAs);
        QVERIFY(text.contains(QStringLiteral("2.5根※")));  // marked: text after the number
        QVERIFY(text.contains(QStringLiteral("计算用其开头的数2.5")));
        QVERIFY(text.contains(QStringLiteral("((2.5-2)×370)+((3-2)×770)")));
    }

    // A pasted text's control and format characters are written visibly, so
    // that the sheet's own sentence about it keeps its order.
    void invisibleCharactersAreWrittenVisiblyOnTheSheet() {
        Program p;
        shell::CalculatorWindow* w = open(p, QStringLiteral("azpjl"));
        w->input(QStringLiteral("a"))->lineEdit()->setText(QStringLiteral("4\u200B00"));
        w->input(QStringLiteral("b"))->lineEdit()->setText(QStringLiteral("8\u202E00"));
        dialogs_->saveAs = dir_.filePath(QStringLiteral("invisible.pdf"));
        QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
        const QString text = pdfText(dialogs_->saveAs);
        QVERIFY2(text.contains(QStringLiteral("4〈U+200B〉00※")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("的输入文字“8〈U+202E〉00”不全是数字，计算用其开头的数8。")),
                 qPrintable(text));
        QVERIFY(!text.contains(QChar(0x202E)));
    }

    void aDashOnTheSheetNamesTheZeroDivisor() {
        Program p;
        shell::CalculatorWindow* w = open(p, QStringLiteral("lxzjzpjl"));
        type(w->input(QStringLiteral("gjjj")), QString());
        dialogs_->saveAs = dir_.filePath(QStringLiteral("dash.pdf"));
        QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w->result(Result::HoopRatio)->text(), QStringLiteral("\u2014"));
        const QString text = pdfText(dialogs_->saveAs);
        QVERIFY2(text.contains(QStringLiteral("除数为零：“箍筋间距（mm）”s=0")), qPrintable(text));
    }

    void cancellingTheSaveDialogWritesNothing() {
        Program p;
        shell::CalculatorWindow* w = open(p, QStringLiteral("yzpjl"));
        dialogs_->saveAs.clear();
        const QStringList before = QDir(dir_.path()).entryList(QDir::Files);
        QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs_->proposedNames.size(), 1);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), before);
    }

    void savingWhereNothingCanBeWrittenSaysSoAndLosesNothing_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing folder") << QStringLiteral("no such folder/sheet.pdf") << QStringLiteral("不存在");
        QTest::newRow("folder is a file") << QStringLiteral("plain file/sheet.pdf") << QStringLiteral("不存在");
        QTest::newRow("system folder") << QStringLiteral("/proc/sheet.pdf") << QStringLiteral("/proc");
        QTest::newRow("name too long") << QString(300, QLatin1Char('x')) + QStringLiteral(".pdf")
                                       << QStringLiteral("太长");
    }
    void savingWhereNothingCanBeWrittenSaysSoAndLosesNothing() {
        QFETCH(QString, target);
        QFETCH(QString, says);
        QFile plain(dir_.filePath(QStringLiteral("plain file")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("keep");
        plain.close();

        Program p;
        shell::CalculatorWindow* w = open(p, QStringLiteral("zxzjzpjl"));
        type(w->input(QStringLiteral("b")), QStringLiteral("1000"));
        dialogs_->saveAs = target.startsWith(QLatin1Char('/')) ? target : dir_.filePath(target);
        QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);

        QCOMPARE(watchdog_.seen().size(), 1);
        const ModalSeen box = watchdog_.seen().first();
        watchdog_.clear();
        QCOMPARE(box.caption, QStringLiteral("保存计算书"));
        QVERIFY2(box.text.startsWith(QStringLiteral("计算书没有保存。")), qPrintable(box.text));
        QVERIFY2(box.text.contains(says), qPrintable(box.text));
        QCOMPARE(box.icon, QMessageBox::Warning);
        // The window is still open with what was typed and calculated.
        QCOMPARE(p.calculator(QStringLiteral("zxzjzpjl")), w);
        QCOMPARE(shell::fieldText(w->input(QStringLiteral("b"))), QStringLiteral("1000"));
        QCOMPARE(resultTexts(w), (QStringList{" 12497", " 1.14", " 1.49"}));
        QCOMPARE(plain.size(), 4);
    }

    // The disk gives out in the middle of the file: the old file stays as it
    // was, no part of the new one is left, and the message names the cause.
    void aWriteThatFailsHalfwayLeavesTheOldFileAsItWas_data() {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<QString>("says");
        QTest::newRow("file size limit") << false << QStringLiteral("超过了系统允许的大小");
        QTest::newRow("64 KiB disk") << true << QStringLiteral("磁盘已满");
    }
    void aWriteThatFailsHalfwayLeavesTheOldFileAsItWas() {
        QFETCH(bool, fullDisk);
        QFETCH(QString, says);
        const QString folder = dir_.filePath(QStringLiteral("disk"));
        QVERIFY(QDir().mkpath(folder));
        std::optional<SmallDisk> disk;
        std::optional<FileSizeLimit> limit;
        if (fullDisk) {
            disk.emplace(folder, "size=64k");
            if (!disk->mounted()) QSKIP("mounting a small disk needs root");
        } else {
            limit.emplace(20000);  // the sheet is about 90 kB
        }
        QFile old(folder + QStringLiteral("/old.pdf"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("OLD\n");
        old.close();

        Program p;
        shell::CalculatorWindow* w = open(p, QStringLiteral("yzpjl"));
        for (const QString& name : {QStringLiteral("old.pdf"), QStringLiteral("new.pdf")}) {
            dialogs_->saveAs = folder + QLatin1Char('/') + name;
            w->activateWindow();  // the last message box had it
            QVERIFY(QTest::qWaitForWindowActive(w));
            QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(watchdog_.seen().size(), 1);
            const QString text = watchdog_.seen().first().text;
            watchdog_.clear();
            QVERIFY2(text.startsWith(QStringLiteral("计算书没有保存。")) && text.contains(says), qPrintable(text));
            QVERIFY2(text.contains(name), qPrintable(text));
        }
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("OLD\n"));
        old.close();
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.pdf")});
        QCOMPARE(p.calculator(QStringLiteral("yzpjl")), w);
        QCOMPARE(resultTexts(w)[0], QStringLiteral(" 6585"));
    }

    void ctrlPPressesCalculateThenPrintsTheSheet() {
        Program p;
        shell::CalculatorWindow* w = open(p, QStringLiteral("zxzjzpjl"));
        dialogs_->printToPdf = dir_.filePath(QStringLiteral("printed.pdf"));
        QTest::keyClick(child(w, "run"), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(dialogs_->printDialogs, 1);
        QCOMPARE(resultTexts(w), (QStringList{" 12497", " 1", " 1.41"}));
        QVERIFY(run(QStringLiteral("pdfinfo"), {dialogs_->printToPdf}).contains(QStringLiteral("(A4)")));
        const QString text = pdfText(dialogs_->printToPdf);
        for (const QString& expected : textsOnTheSheet(sections::kZShape, w)) {
            QVERIFY2(text.contains(squeezed(expected)), qPrintable(QStringLiteral("missing: ") + expected));
        }
    }

    void cancellingThePrintDialogPrintsNothing() {
        Program p;
        shell::CalculatorWindow* w = open(p, QStringLiteral("azpjl"));
        QTest::keyClick(w, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(dialogs_->printDialogs, 1);
        QCOMPARE(resultTexts(w), (QStringList{" 3996", " 1.25", " 1.19"}));
    }

    void ctrlShiftCCopiesTitlesAndValuesWhateverHasTheFocus_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("input field") << QStringLiteral("a");
        QTest::newRow("result box") << QStringLiteral("zjl");
        QTest::newRow("button") << QStringLiteral("Command1");
    }
    void ctrlShiftCCopiesTitlesAndValuesWhateverHasTheFocus() {
        QFETCH(QString, focus);
        Program p;
        shell::CalculatorWindow* w = open(p, QStringLiteral("lxzjzpjl"));
        type(w->input(QStringLiteral("asl")), QStringLiteral(" 5"));
        QGuiApplication::clipboard()->clear();
        QWidget* target = w->findChild<QWidget*>(focus);
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(
            QGuiApplication::clipboard()->text(),
            QStringLiteral(
                "形状\t构件编号\t长度a（mm）\t高度b（mm）\t高度c（mm）\t宽度d（mm）\t纵筋1直径（mm）\t纵筋2直径（mm）\t"
                "纵筋1数量（根）\t纵筋2数量（根）\t大箍直径（mm）\t小箍、拉筋直径（mm）\t平行a数量（根）\t"
                "平行b数量（根）\t平行c数量（根）\t平行d数量（根）\t箍筋间距（mm）\t保护层厚（mm）\t"
                "纵筋面积（mm2）\t纵筋率（％）\t体积配箍率（％）\n"
                "L形转角柱\t\t1000\t800\t400\t400\t20\t18\t7\t15\t12\t10\t 5\t4\t3\t2\t120\t15\t") +
                resultTexts(w).join(QLatin1Char('\t')) + QLatin1Char('\n'));
        QCOMPARE(resultTexts(w)[0], QStringLiteral(" 6016"));
    }

    // Every character a sheet or its commands can show is in the embedded
    // face: the defaults, a marked input and each kind of dash explanation.
    void everyCharacterOfTheSheetIsInTheEmbeddedFace() {
        QStringList texts;
        for (const sections::SectionShape* shape : sections::allShapes()) {
            for (const char* edit : {"", "bad", "zero", "overflow", "range"}) {
                std::vector<std::string> fields;
                for (const sections::InputField& input : shape->inputs) fields.emplace_back(input.defaultText);
                const std::string_view e = edit;
                if (e == "bad")
                    fields[0] = "12mm\u200B\U000E007F\u202E\u206A\x7F\u0013\u0604\u0605\u180E\U0001D179\U000110CD";
                if (e == "zero") fields[0] = fields[1] = "";
                if (e == "overflow") fields[0] = fields[1] = fields[2] = fields[3] = "1e300";
                if (e == "range") fields[4] = "1e999";
                const std::vector<std::string_view> views(fields.begin(), fields.end());
                const sheet::CalculationSheet s = sheet::makeSheet(*shape, views, "2026-12-08 09:00", "1.2.0");
                QBuffer pdf;
                pdf.open(QIODevice::WriteOnly);
                QPdfWriter writer(&pdf);
                texts << shell::sheetDocument(s, writer)->toPlainText();
            }
        }
        Program p;
        shell::CalculatorWindow* w = open(p, QStringLiteral("azpjl"));
        for (QAction* a : w->actions()) texts << a->text();
        QFont embedded;
        embedded.setFamilies({QString::fromLatin1(shell::kEmbeddedSongFamily)});
        QCOMPARE(QFontInfo(embedded).family(), QString::fromLatin1(shell::kEmbeddedSongFamily));
        const QFontMetrics metrics(embedded);
        // Line and paragraph breaks and the picture's place hold no glyph.
        const QString missing = charactersMissingFrom(metrics, texts, U"\n\u2028\u2029\uFFFC");
        QVERIFY2(missing.isEmpty(), qPrintable(missing));
        QVERIFY(texts.join(QString()).contains(QStringLiteral("除数为零")));
        QVERIFY(texts.join(QString()).contains(QStringLiteral("数值溢出")));
    }

    void rightClickOffersTheSheetExceptInAnInputField() {
        Program p;
        shell::CalculatorWindow* w = open(p, QStringLiteral("azpjl"));
        const QStringList sheetCommands{QStringLiteral("打印计算书…"), QStringLiteral("保存计算书…"),
                                        QStringLiteral("复制计算结果"), QStringLiteral("计算书信息…")};
        QCOMPARE(popupMenuTexts([&] { rightClick(child(w, "Label5")); }), sheetCommands);
        QCOMPARE(popupMenuTexts([&] { rightClick(child(w, "Frame1")); }), sheetCommands);
        QCOMPARE(popupMenuTexts([&] { rightClick(child(w, "Image1")); }), sheetCommands);
        const QStringList fieldMenu = popupMenuTexts([&] { rightClick(w->input(QStringLiteral("a"))->lineEdit()); });
        QVERIFY(!fieldMenu.isEmpty());
        QVERIFY(!fieldMenu.contains(sheetCommands[0]));
        // A command from the menu presses "计算" too.
        w->actions().at(2)->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().endsWith(QStringLiteral("\t 3996\t 1.25\t 1.19\n")));
    }
};

DRAVIK_QTEST_MAIN(CalculationSheetTest)
#include "calculation_sheet_test.moc"
