// The calculator windows as a user meets them: open from the start-up
// window, read the defaults, type and pick, press "计算", go back, reopen.
#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QSignalSpy>
#include <memory>

#include "shell/read_as_mark.h"
#include "window_test_support.h"

using namespace dravik;
using namespace dravik::testing;
using sections::Result;

namespace {

const QString kDash = QStringLiteral("\u2014");

// Opens the calculator behind option `option` the way a user does.
shell::CalculatorWindow* openCalculator(Program& p, int option, const QString& name) {
    p.manager().start();
    choose(p.startWindow()->option(option));
    QTest::mouseClick(p.startWindow()->findChild<QAbstractButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    Program::settle();
    return p.calculator(name);
}

QStringList resultTexts(shell::CalculatorWindow* w) {
    return {w->result(Result::SteelArea)->text(), w->result(Result::LongitudinalRatio)->text(),
            w->result(Result::HoopRatio)->text()};
}

// Replaces the field's text by typing, as a user does.
void type(QComboBox* field, const QString& text) {
    field->lineEdit()->selectAll();
    QTest::keyClick(field->lineEdit(), Qt::Key_Delete);
    QTest::keyClicks(field->lineEdit(), text);
}

QStringList items(QComboBox* field) {
    QStringList list;
    for (int i = 0; i < field->count(); ++i) list << field->itemText(i);
    return list;
}

}  // namespace

class CalculatorWindowTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;

private slots:
    void cleanup() { watchdog_.verifyNoneShown(); }

    void eachShapeCalculates_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("defaultsShown");  // input=text pairs checked on opening
        QTest::addColumn<QStringList>("initial");        // zjmj, zjl, tjpgl before "计算"
        QTest::addColumn<QString>("editedInput");
        QTest::addColumn<QString>("editedText");
        QTest::addColumn<QStringList>("afterEdit");
        // clang-format off
        QTest::newRow("暗柱") << 1 << "azpjl" << QStringList{"a=400", "b=800", "hxsl=5", "zxsl=3", "bhhd=15"} << QStringList{"3996", "1.25", "1.19"} << "gjjj" << "100" << QStringList{" 3996", " 1.25", " 1.42"};
        QTest::newRow("L形转角柱") << 2 << "lxzjzpjl" << QStringList{"a=1000", "c=400", "csl=3", "dsl=2", "zj1sl=7"} << QStringList{"6016", "1.07", "1.38"} << "c" << "800" << QStringList{" 6016", " .75", " 1.06"};
        QTest::newRow("翼柱") << 3 << "yzpjl" << QStringList{"a=1200", "b=600", "csl=5", "dsl=3", "zj2sl=16"} << QStringList{"6585", "1.83", "1.48"} << "b" << "200" << QStringList{" 6585", " 2.74", " 1.9"};
        QTest::newRow("Z形转角柱") << 4 << "zxzjzpjl" << QStringList{"b=1300", "f=1000", "csl=1", "zj1sl=18", "zj2sl=18", "gjjj=100"} << QStringList{"12497", "1", "1.41"} << "fsl" << "1" << QStringList{" 12497", " 1", " 1.21"};
        // clang-format on
    }
    void eachShapeCalculates() {
        QFETCH(int, option);
        QFETCH(QString, window);
        QFETCH(QStringList, defaultsShown);
        QFETCH(QStringList, initial);
        QFETCH(QString, editedInput);
        QFETCH(QString, editedText);
        QFETCH(QStringList, afterEdit);

        Program p;
        shell::CalculatorWindow* w = openCalculator(p, option, window);
        QVERIFY(w != nullptr);
        for (const QString& pair : defaultsShown) {
            const QStringList parts = pair.split('=');
            QCOMPARE(shell::fieldText(w->input(parts[0])), parts[1]);
        }
        QCOMPARE(resultTexts(w), initial);

        click(w, "run");
        QStringList withBlank;
        for (const QString& text : initial) withBlank << " " + text;
        QCOMPARE(resultTexts(w), withBlank);

        type(w->input(editedInput), editedText);
        QCOMPARE(resultTexts(w), withBlank);  // editing does not recalculate
        click(w, "run");
        QCOMPARE(resultTexts(w), afterEdit);
        click(w, "run");
        QCOMPARE(resultTexts(w), afterEdit);  // a second press writes the same texts

        // Back to the start-up window, 暗柱 selected; the same shape again
        // opens afresh with its defaults and initial results.
        click(w, "Command1");
        Program::settle();
        QCOMPARE(p.manager().openWindows(), QStringList{shell::kStartWindowName});
        QVERIFY(p.startWindow()->option(1)->isChecked());
        choose(p.startWindow()->option(option));
        click(p.startWindow(), "Command1");
        w = p.calculator(window);
        QVERIFY(w != nullptr);
        QCOMPARE(resultTexts(w), initial);
        QCOMPARE(w->input(editedInput)->currentText(),
                 shell::fieldText(w->input(editedInput)));  // nothing stale in the field
        click(w, "run");
        QCOMPARE(resultTexts(w), withBlank);
    }

    void typedAndPickedCountsGiveTheSameResults() {
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, 1, "azpjl");
        QComboBox* hxsl = w->input("hxsl");
        type(hxsl, "4");
        click(w, "run");
        const QStringList typed = resultTexts(w);
        hxsl->setCurrentIndex(hxsl->findText(" 4"));  // what picking the item does
        QCOMPARE(shell::fieldText(hxsl), QStringLiteral(" 4"));
        click(w, "run");
        QCOMPARE(resultTexts(w), typed);
        QCOMPARE(typed, (QStringList{" 3996", " 1.25", " 1.1"}));
    }

    // A field whose text is not wholly a number is computed from the number
    // read, as always, and shows that number in red until its text changes;
    // no other field is touched.
    void aFieldNotReadAsItLooksTurnsRedUntilEdited_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("read");
        QTest::newRow("zero-width space") << QStringLiteral("4\u200B00") << QStringLiteral("4");
        QTest::newRow("no-break space") << QStringLiteral("1\u00A0200") << QStringLiteral("1");
        QTest::newRow("unit after the number") << QStringLiteral("12.5mm") << QStringLiteral("12.5");
        QTest::newRow("no number") << QStringLiteral("mm") << QStringLiteral("0");
    }
    void aFieldNotReadAsItLooksTurnsRedUntilEdited() {
        QFETCH(QString, pasted);
        QFETCH(QString, read);
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, 1, "azpjl");
        QComboBox* a = w->input("a");
        const QColor black = a->lineEdit()->palette().color(QPalette::Text);
        type(a, read);
        click(w, "run");
        const QStringList fromTheNumber = resultTexts(w);
        QVERIFY(!shell::isMarkedReadAs(a));

        a->lineEdit()->selectAll();
        a->lineEdit()->insert(pasted);  // as a paste does
        click(w, "run");
        QCOMPARE(resultTexts(w), fromTheNumber);
        QVERIFY(shell::isMarkedReadAs(a));
        QCOMPARE(a->lineEdit()->palette().color(QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(a->lineEdit()->toolTip(), QStringLiteral("按 %1 计算").arg(read));
        for (QComboBox* other : w->findChildren<QComboBox*>()) {
            if (other == a) continue;
            QVERIFY2(!shell::isMarkedReadAs(other), qPrintable(other->objectName()));
            QCOMPARE(other->lineEdit()->palette().color(QPalette::Text), black);
        }
        click(w, "run");  // still marked, once
        QVERIFY(shell::isMarkedReadAs(a));

        QTest::keyClick(a->lineEdit(), Qt::Key_End);
        QTest::keyClick(a->lineEdit(), Qt::Key_Backspace);
        QVERIFY(!shell::isMarkedReadAs(a));
        QCOMPARE(a->lineEdit()->palette().color(QPalette::Text), black);
        QCOMPARE(a->lineEdit()->toolTip(), QString());
    }

    void aFieldKeepsExactlyWhatWasTyped() {
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, 1, "azpjl");
        QComboBox* a = w->input("a");
        const QStringList before = items(a);
        type(a, "5");  // the list holds "500" and "550"
        QCOMPARE(shell::fieldText(a), QStringLiteral("5"));
        QTest::keyClick(a->lineEdit(), Qt::Key_Return);
        QCOMPARE(shell::fieldText(a), QStringLiteral("5"));
        QCOMPARE(items(a), before);  // Enter appends nothing
        type(a, "1 2.5mm,x");
        QCOMPARE(shell::fieldText(a), QStringLiteral("1 2.5mm,x"));
    }

    void listsHoldTheirItemsOnceInOrderEveryTimeTheWindowOpens() {
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, 4, "zxzjzpjl");
        for (int round = 0; round < 3; ++round) {
            QVERIFY(w != nullptr);
            QCOMPARE(items(w->input("a")), (QStringList{"400", "450", "500", "550", "600", "650", "700", "750", "800",
                                                        "900", "1000", "1100", "1200"}));
            QCOMPARE(items(w->input("f")),
                     (QStringList{"200", "250", "300", "350", "400", "450", "500", "550", "600"}));
            QCOMPARE(items(w->input("bhhd")), (QStringList{"15", "16", "18", "20", "22", "25", "28", "32"}));
            QCOMPARE(items(w->input("csl")).size(), 15);
            QCOMPARE(items(w->input("csl")).front(), QStringLiteral(" 2"));
            QCOMPARE(items(w->input("dsl")).size(), 16);
            QCOMPARE(items(w->input("dsl")).front(), QStringLiteral(" 1"));
            QCOMPARE(items(w->input("fsl")).back(), QStringLiteral(" 16"));
            for (const char* name : {"a", "csl", "dsl", "zj1zj"}) QCOMPARE(w->input(name)->currentIndex(), -1);
            click(w, "Command1");
            click(p.startWindow(), "Command1");  // 暗柱 is selected again
            click(p.calculator("azpjl"), "Command1");
            choose(p.startWindow()->option(4));
            click(p.startWindow(), "Command1");
            Program::settle();
            w = p.calculator("zxzjzpjl");
        }
        shell::CalculatorWindow* rect = nullptr;
        click(w, "Command1");
        click(p.startWindow(), "Command1");
        rect = p.calculator("azpjl");
        QCOMPARE(items(rect->input("a")),
                 (QStringList{"200", "250", "300", "350", "400", "450", "500", "550", "600", "650", "700"}));
        QCOMPARE(items(rect->input("zxsl")).join(','),
                 QStringLiteral(" 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16"));
    }

    void theRectangleWritesTheAreaFirstAndTheOthersLast_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("暗柱") << 1 << "azpjl" << QStringList{"zjmj", "zjl", "tjpgl"};
        QTest::newRow("L形转角柱") << 2 << "lxzjzpjl" << QStringList{"zjl", "tjpgl", "zjmj"};
        QTest::newRow("翼柱") << 3 << "yzpjl" << QStringList{"zjl", "tjpgl", "zjmj"};
        QTest::newRow("Z形转角柱") << 4 << "zxzjzpjl" << QStringList{"zjl", "tjpgl", "zjmj"};
    }
    void theRectangleWritesTheAreaFirstAndTheOthersLast() {
        QFETCH(int, option);
        QFETCH(QString, window);
        QFETCH(QStringList, order);
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, option, window);
        QStringList written;
        for (Result r : {Result::SteelArea, Result::LongitudinalRatio, Result::HoopRatio}) {
            QLineEdit* box = w->result(r);
            connect(box, &QLineEdit::textChanged, this, [&written, box] { written << box->objectName(); });
        }
        click(w, "run");
        QCOMPARE(written, order);
    }

    void aZeroDivisorShowsADashInTheResultItSpoils() {
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, 1, "azpjl");
        type(w->input("gjjj"), "");
        click(w, "run");
        QCOMPARE(resultTexts(w), (QStringList{" 3996", " 1.25", kDash}));
        type(w->input("b"), "1e400");
        click(w, "run");
        QCOMPARE(resultTexts(w), (QStringList{" 3996", kDash, kDash}));
    }

    void resultBoxesCannotBeChangedButCanBeCopied() {
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, 1, "azpjl");
        QLineEdit* zjl = w->result(Result::LongitudinalRatio);
        QVERIFY(zjl->isReadOnly());
        QVERIFY(zjl->focusPolicy() & Qt::TabFocus);
        QTest::keyClicks(zjl, "99");
        QCOMPARE(zjl->text(), QStringLiteral("1.25"));
        zjl->selectAll();
        zjl->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1.25"));
    }

    // Qt's own texts are Chinese whatever the locale (this test program runs
    // under a German locale too): the menu a right click on a field opens.
    void theFieldsEditMenusAreInChinese() {
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, 1, "azpjl");
        auto actionTexts = [](QLineEdit* edit) {
            std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
            QStringList texts;
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator()) texts << action->text();
            }
            return texts;
        };
        const QStringList input = actionTexts(w->input("a")->lineEdit());
        QVERIFY(!input.isEmpty());
        QCOMPARE(input.first(), QStringLiteral("撤消(&U)\tCtrl+Z"));
        QCOMPARE(input.last(), QStringLiteral("全选\tCtrl+A"));
        const QStringList result = actionTexts(w->result(Result::SteelArea));
        QVERIFY(!result.isEmpty());
        QCOMPARE(result.first(), QStringLiteral("复制(&C)\tCtrl+C"));
    }

    // 计算, the back button and 退出 in every calculator window: the key does
    // what a click does.
    void enterAndSpacePressTheFocusedButton_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        const char* windows[] = {"azpjl", "lxzjzpjl", "yzpjl", "zxzjzpjl"};
        for (int option = 1; option <= 4; ++option) {
            for (const char* button : {"run", "Command1", "exit"}) {
                for (const ButtonKey& k : kButtonKeys) {
                    QTest::addRow("%s %s, %s", windows[option - 1], button, k.name)
                        << option << windows[option - 1] << button << int(k.key) << int(k.modifiers);
                }
            }
        }
    }
    void enterAndSpacePressTheFocusedButton() {
        QFETCH(int, option);
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, option, window);
        auto clearResults = [w] {
            for (Result r : {Result::SteelArea, Result::LongitudinalRatio, Result::HoopRatio}) w->result(r)->clear();
        };
        QStringList clicked;
        if (button == QLatin1String("run")) {
            clearResults();
            click(w, "run");
            clicked = resultTexts(w);
            clearResults();
        }
        QSignalSpy ended(&p.manager(), &shell::WindowManager::programEnded);
        pressKeyOn(w->findChild<QPushButton*>(button), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (button == QLatin1String("run")) {
            QCOMPARE(resultTexts(w), clicked);
            QCOMPARE(p.manager().openWindows(), QStringList{window});
        } else if (button == QLatin1String("Command1")) {
            QCOMPARE(p.manager().openWindows(), QStringList{shell::kStartWindowName});
            QVERIFY(p.startWindow()->isVisible());
        } else {
            QCOMPARE(ended.count(), 1);
            QVERIFY(p.manager().openWindows().isEmpty());
        }
        QVERIFY(noDefaultButtons(w));
    }

    void enterInAFieldPressesNoButton() {
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, 1, "azpjl");
        const QStringList before = resultTexts(w);
        type(w->input("gjjj"), "100");  // "计算" would change tjpgl
        pressKeyOn(w->input("gjjj"), Qt::Key_Return);
        pressKeyOn(w->input("gjjj"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(resultTexts(w), before);
        QCOMPARE(shell::fieldText(w->input("gjjj")), QStringLiteral("100"));
        QCOMPARE(p.manager().openWindows(), QStringList{QStringLiteral("azpjl")});
        QVERIFY(!p.manager().hasEnded());
    }

    void exitEndsTheProgram() {
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, 2, "lxzjzpjl");
        QSignalSpy ended(&p.manager(), &shell::WindowManager::programEnded);
        click(w, "exit");
        QCOMPARE(ended.count(), 1);
        QVERIFY(p.manager().openWindows().isEmpty());
    }

    void closeBoxEndsTheProgram() {
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, 3, "yzpjl");
        QSignalSpy ended(&p.manager(), &shell::WindowManager::programEnded);
        w->close();
        QCOMPARE(ended.count(), 1);
        QVERIFY(p.manager().openWindows().isEmpty());
    }

    // What a screen reader announces: the label or caption, then the value.
    void inputsResultsAndButtonsAreNamedForScreenReaders() {
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, 1, "azpjl");
        auto announced = [](QWidget* widget, QAccessible::Text what) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
            return a == nullptr ? QStringLiteral("<none>") : a->text(what);
        };
        // On Linux a combo box announces its text as its name and its label
        // through the "labelled by" relation.
        auto labelledBy = [](QWidget* widget) {
            QStringList labels;
            for (const auto& [other, relation] :
                 QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label)) {
                labels << other->text(QAccessible::Name);
            }
            return labels;
        };
        QVERIFY(labelledBy(w->input("a")).contains(QStringLiteral("长度a（mm）")));
        QVERIFY(labelledBy(w->input("hxsl")).contains(QStringLiteral("横向数量（根）")));
        QCOMPARE(w->input("zj1zj")->accessibleName(), QStringLiteral("纵筋1直径（mm）"));
        QCOMPARE(announced(w->result(Result::LongitudinalRatio), QAccessible::Name), QStringLiteral("纵筋率（％）"));
        QCOMPARE(announced(w->result(Result::LongitudinalRatio), QAccessible::Value), QStringLiteral("1.25"));
        QCOMPARE(announced(w->result(Result::SteelArea), QAccessible::Name), QStringLiteral("纵筋面积（mm2）"));
        QCOMPARE(announced(w->result(Result::HoopRatio), QAccessible::Name), QStringLiteral("体积配箍率（％）"));
        QCOMPARE(announced(child(w, "run"), QAccessible::Name), QStringLiteral("计算"));
        QCOMPARE(announced(child(w, "Command1"), QAccessible::Name), QStringLiteral("改类型《"));
        click(w, "Command1");
        QCOMPARE(announced(p.startWindow()->option(2), QAccessible::Name), QStringLiteral("L形转角柱"));
    }

    // The label naming the area box is a different control in each window.
    void eachFieldAndResultBoxIsNamedByItsOwnLabel_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        // clang-format off
        QTest::newRow("暗柱 zjmj") << 1 << "azpjl" << "zjmj" << "纵筋面积（mm2）";
        QTest::newRow("L形转角柱 zjmj") << 2 << "lxzjzpjl" << "zjmj" << "纵筋面积（mm2）";
        QTest::newRow("翼柱 xgzj") << 3 << "yzpjl" << "xgzj" << "小箍及拉筋直径（mm）";
        QTest::newRow("Z形转角柱 zjmj") << 4 << "zxzjzpjl" << "zjmj" << "纵筋面积（mm2）";
        QTest::newRow("Z形转角柱 f") << 4 << "zxzjzpjl" << "f" << "长度f（mm）";
        // clang-format on
    }
    void eachFieldAndResultBoxIsNamedByItsOwnLabel() {
        QFETCH(int, option);
        QFETCH(QString, window);
        QFETCH(QString, field);
        QFETCH(QString, name);
        Program p;
        shell::CalculatorWindow* w = openCalculator(p, option, window);
        QWidget* named = w->findChild<QWidget*>(field);
        QVERIFY(named != nullptr);
        QCOMPARE(named->accessibleName(), name);
        QStringList labels;
        for (QLabel* label : w->findChildren<QLabel*>()) {
            if (label->buddy() == named) labels << label->text();
        }
        QCOMPARE(labels, QStringList{name});
    }
};

DRAVIK_QTEST_MAIN(CalculatorWindowTest)
#include "calculator_window_test.moc"
