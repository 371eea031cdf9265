// The start-up window: the choice of section type, navigation between the
// windows, and the refusal to run beside another copy.
#include <unistd.h>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>

#include <string>

#include "launch/instance_guard.h"
#include "shell/second_copy.h"
#include "window_test_support.h"

using namespace dravik;
using namespace dravik::testing;

namespace {

// A guard's name that no real copy and no other test process uses.
std::string testGuardName(const char* which) { return "dravik-test/" + std::to_string(::getpid()) + "/" + which; }

}  // namespace

class StartWindowTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;

private slots:
    void cleanup() { watchdog_.verifyNoneShown(); }

    void opensWithTheRectangleSelected() {
        Program p;
        p.manager().start();
        shell::StartWindow* w = p.startWindow();
        QVERIFY(w != nullptr);
        QVERIFY(w->isVisible());
        QCOMPARE(p.manager().openWindows(), QStringList{shell::kStartWindowName});
        QCOMPARE(w->windowTitle(), QStringLiteral("Dravik程序—TorvaneI号 Halvorn建筑设计有限公司 ver1.2    2007.01"));
        QVERIFY(w->option(1)->isChecked());
        for (int i = 2; i <= 4; ++i) QVERIFY(!w->option(i)->isChecked());
    }

    void enterOpensTheChosenCalculatorAndClosesTheStartWindow_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        // clang-format off
        QTest::newRow("暗柱") << 1 << "azpjl" << "暗柱配筋率－TorvaneI号 Halvorn公司  ver1.2    2007.01";
        QTest::newRow("L形转角柱") << 2 << "lxzjzpjl" << "L形转角柱配筋率－TorvaneI号 Halvorn ver1.2  2007.01";
        QTest::newRow("翼柱") << 3 << "yzpjl" << "翼柱配筋率－ TorvaneI号 Halvorn ver1.2 2007.01";
        QTest::newRow("Z形转角柱") << 4 << "zxzjzpjl" << "Z形转角柱配筋率－TorvaneI号 Halvorn ver1.2  2007.01";
        // clang-format on
    }
    void enterOpensTheChosenCalculatorAndClosesTheStartWindow() {
        QFETCH(int, option);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        Program p;
        p.manager().start();
        choose(p.startWindow()->option(option));
        QSignalSpy ended(&p.manager(), &shell::WindowManager::programEnded);
        const QPointer<shell::StartWindow> start = p.startWindow();
        click(p.startWindow(), "Command1");
        QCOMPARE(p.manager().openWindows(), QStringList{window});
        Program::settle();
        QVERIFY(start.isNull());  // a closed window is destroyed, not hidden
        QVERIFY(p.calculator(window)->isVisible());
        QCOMPARE(p.calculator(window)->windowTitle(), caption);
        QCOMPARE(ended.count(), 0);  // not even between showing one window and closing the other
    }

    void clickingAnOptionChangesOnlyTheSelection() {
        Program p;
        p.manager().start();
        choose(p.startWindow()->option(3));
        QVERIFY(p.startWindow()->option(3)->isChecked());
        QVERIFY(!p.startWindow()->option(1)->isChecked());
        QCOMPARE(p.manager().openWindows(), QStringList{shell::kStartWindowName});
    }

    void quitButtonEndsTheProgram() {
        Program p;
        p.manager().start();
        QSignalSpy ended(&p.manager(), &shell::WindowManager::programEnded);
        click(p.startWindow(), "Command2");
        QCOMPARE(ended.count(), 1);
        QVERIFY(p.manager().openWindows().isEmpty());
    }

    void enterAndSpacePressTheFocusedButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("openAfter");  // empty: the program has ended
        for (const ButtonKey& k : kButtonKeys) {
            QTest::addRow("进入计算》, %s", k.name)
                << "Command1" << int(k.key) << int(k.modifiers) << QStringList{QStringLiteral("azpjl")};
            QTest::addRow("退出程序, %s", k.name) << "Command2" << int(k.key) << int(k.modifiers) << QStringList{};
        }
    }
    void enterAndSpacePressTheFocusedButton() {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QStringList, openAfter);
        Program p;
        p.manager().start();
        shell::StartWindow* w = p.startWindow();
        pressKeyOn(w->findChild<QPushButton*>(button), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(p.manager().openWindows(), openAfter);
        QCOMPARE(p.manager().hasEnded(), openAfter.isEmpty());
        if (!openAfter.isEmpty()) QVERIFY(p.calculator(openAfter.front())->isVisible());
        QVERIFY(noDefaultButtons(w));
    }

    void enterOnAnOptionButtonChangesNothing() {
        Program p;
        p.manager().start();
        pressKeyOn(p.startWindow()->option(4), Qt::Key_Return);
        pressKeyOn(p.startWindow()->option(4), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(p.manager().openWindows(), QStringList{shell::kStartWindowName});
        QVERIFY(p.startWindow()->option(1)->isChecked());
    }

    void closeBoxEndsTheProgram() {
        Program p;
        p.manager().start();
        QSignalSpy ended(&p.manager(), &shell::WindowManager::programEnded);
        p.startWindow()->close();
        QCOMPARE(ended.count(), 1);
        QVERIFY(p.manager().hasEnded());
    }

    void backFromACalculatorSelectsTheRectangleAgain() {
        Program p;
        p.manager().start();
        choose(p.startWindow()->option(3));
        click(p.startWindow(), "Command1");
        click(p.calculator("yzpjl"), "Command1");
        QCOMPARE(p.manager().openWindows(), QStringList{shell::kStartWindowName});
        QVERIFY(p.startWindow()->option(1)->isChecked());
        QVERIFY(!p.startWindow()->option(3)->isChecked());
        QVERIFY(!p.manager().hasEnded());
    }

    // Whether another copy runs is asked once, at start: reopening the
    // start-up window never brings up the message.
    void reopeningTheStartWindowShowsNoMessage() {
        Program p;
        p.manager().start();
        for (int i = 0; i < 3; ++i) {
            click(p.startWindow(), "Command1");
            click(p.calculator("azpjl"), "Command1");
            Program::settle();
        }
        QVERIFY(p.startWindow()->isVisible());
        QVERIFY(watchdog_.seen().isEmpty());
    }

    void theFirstCopyGoesOnWithoutAMessage() {
        launch::InstanceGuard guard(testGuardName("first"));
        ShownWindows shown;
        QVERIFY(!shell::refuseIfAnotherCopyRuns(guard));
        QVERIFY(!shell::refuseIfAnotherCopyRuns(guard));  // this copy never counts itself
        QVERIFY(shown.shown().isEmpty());
    }

    void aSecondCopySaysSoWithoutShowingAWindow() {
        launch::InstanceGuard firstGuard(testGuardName("second"));
        QVERIFY(!shell::refuseIfAnotherCopyRuns(firstGuard));
        Program first;
        first.manager().start();
        QVERIFY(first.startWindow()->isVisible());

        launch::InstanceGuard secondGuard(testGuardName("second"));
        ShownWindows shown;
        QVERIFY(shell::refuseIfAnotherCopyRuns(secondGuard));
        // The message box, and no window of the program.
        QCOMPARE(shown.shown(), QStringList{QStringLiteral("QMessageBox")});

        QCOMPARE(watchdog_.seen().size(), 1);
        const ModalSeen box = watchdog_.seen().front();
        watchdog_.clear();
        QCOMPARE(box.caption, QStringLiteral("Dravik"));
        QCOMPARE(box.text, QStringLiteral("程序已经打开了，请不要同时调用多个,以免多占系统资源！"));
        QCOMPARE(box.buttons, QStringList{QStringLiteral("确定")});  // Qt's own text, in Chinese
        QCOMPARE(box.icon, QMessageBox::NoIcon);

        // The copy that was running goes on as before.
        QVERIFY(first.startWindow()->isVisible());
        click(first.startWindow(), "Command1");
        QCOMPARE(first.manager().openWindows(), QStringList{QStringLiteral("azpjl")});
    }
};

DRAVIK_QTEST_MAIN(StartWindowTest)
#include "start_window_test.moc"
