// What the window tests share: the program's windows as main() runs them, and
// a watchdog that keeps a modal box from ever hanging a test.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <string_view>

#include "shell/appearance.h"
#include "shell/calculator_window.h"
#include "shell/input_field.h"
#include "shell/embedded_pictures.h"
#include "shell/start_window.h"
#include "shell/window_manager.h"

namespace dravik::testing {

// What a modal box showed before the watchdog dismissed it.
struct ModalSeen {
    QString caption;
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Checks every few milliseconds for a modal window; records it and dismisses
// it, so a test that opens one fails instead of waiting for a user.
class ModalWatchdog : public QObject {
public:
    ModalWatchdog() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { dismissModal(); });
        timer_.start();
    }
    const QList<ModalSeen>& seen() const { return seen_; }
    void clear() { seen_.clear(); }

    // For a test's cleanup(): lets closed windows go, and fails the test if
    // it showed a modal box it did not expect.
    void verifyNoneShown() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bool none = seen_.isEmpty();
        seen_.clear();
        QVERIFY2(none, "an unexpected modal box was shown");
    }

private:
    void dismissModal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        ModalSeen s;
        s.caption = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            s.text = box->text();
            s.icon = box->icon();
            for (QAbstractButton* b : box->buttons()) s.buttons << b->text();
            seen_ << s;
            box->done(QMessageBox::Ok);
        } else {
            seen_ << s;
            modal->close();
        }
    }
    QTimer timer_;
    QList<ModalSeen> seen_;
};

// Records every top-level window that is shown while it exists.
class ShownWindows : public QObject {
public:
    ShownWindows() { qApp->installEventFilter(this); }
    ~ShownWindows() override { qApp->removeEventFilter(this); }
    // Class names of the windows shown, in order.
    const QStringList& shown() const { return shown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && widget->isWindow()) shown_ << QString::fromUtf8(widget->metaObject()->className());
        }
        return false;
    }

private:
    QStringList shown_;
};

// The windows as main() runs them once this copy holds the single-copy lock.
class Program {
public:
    ~Program() {
        manager_.endProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    shell::WindowManager& manager() { return manager_; }

    shell::StartWindow* startWindow() {
        return qobject_cast<shell::StartWindow*>(manager_.window(shell::kStartWindowName));
    }
    shell::CalculatorWindow* calculator(const QString& name) {
        return qobject_cast<shell::CalculatorWindow*>(manager_.window(name));
    }
    // Lets deferred deletions of closed windows happen.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

private:
    shell::WindowManager manager_;
};

// Clicks an option button on its circle, where a user clicks it (the button
// is wider than its clickable circle and caption).
inline void choose(QAbstractButton* option) {
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(7, option->height() / 2));
}

// Gives `widget` the keyboard focus in its active window, then presses and
// releases `key` there, as a user at the keyboard does.
inline void pressKeyOn(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* window = widget->window();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    widget->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), widget);
    QTest::keyClick(widget, key, modifiers);
}

// The keys that press a focused button, by name, for test rows.
struct ButtonKey {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};
inline constexpr ButtonKey kButtonKeys[] = {
    {"Enter", Qt::Key_Return, Qt::NoModifier},
    {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier},
    {"Space", Qt::Key_Space, Qt::NoModifier},
};

// No push button of the window is a default button, or becomes one when it
// takes the focus: such a button is drawn with a heavier frame.
inline bool noDefaultButtons(QWidget* window) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->isDefault() || button->autoDefault()) return false;
    }
    return true;
}

inline QWidget* child(QWidget* window, const char* name) {
    return window->findChild<QWidget*>(QString::fromUtf8(name));
}

// The characters of `texts` that `metrics`' face lacks, each once, in the
// order first met; `ignored` are characters that hold no glyph of their own.
inline QString charactersMissingFrom(const QFontMetrics& metrics, const QStringList& texts,
                                     std::u32string_view ignored = {}) {
    QString missing;
    for (const QString& text : texts) {
        for (char32_t c : text.toUcs4()) {
            if (ignored.find(c) != std::u32string_view::npos) continue;
            if (!metrics.inFontUcs4(c) && !missing.contains(QString::fromUcs4(&c, 1)))
                missing += QString::fromUcs4(&c, 1);
        }
    }
    return missing;
}

inline void click(QWidget* window, const char* buttonName) {
    auto* button = window->findChild<QAbstractButton*>(QString::fromUtf8(buttonName));
    QVERIFY2(button != nullptr, buttonName);
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace dravik::testing

// A Qt Test main() that prepares the application exactly as the program does.
#define DRAVIK_QTEST_MAIN(TestObject)           \
    int main(int argc, char** argv) {           \
        QApplication app(argc, argv);           \
        dravik::shell::prepareApplication(app); \
        TestObject test;                        \
        QTEST_SET_MAIN_SOURCE_PATH              \
        return QTest::qExec(&test, argc, argv); \
    }
