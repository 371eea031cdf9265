#include "shell/calculator_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "layouts/windows.h"
#include "sections/calculation.h"
#include "shell/input_field.h"
#include "shell/qt_text.h"
#include "shell/window_manager.h"

namespace dravik::shell {

CalculatorWindow::CalculatorWindow(WindowManager& manager, const sections::SectionShape& shape)
    : ProgramWindow(manager, qs(shape.windowName)), shape_(shape) {
    setWindowTitle(qs(shape.caption));
    controls_ = buildLayout(this, *layouts::calculatorLayout(shape.windowName));
    for (sections::Result r : sections::kAllResults)
        result(r)->setText(qs(shape.initialTexts[static_cast<std::size_t>(r)]));
    nameForAccessibility();

    connect(controls_.get<QPushButton>(QStringLiteral("run")), &QPushButton::clicked, this,
            &CalculatorWindow::run_Click);
    connect(controls_.get<QPushButton>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &CalculatorWindow::Command1_Click);
    connect(controls_.get<QPushButton>(QStringLiteral("exit")), &QPushButton::clicked, this,
            &CalculatorWindow::exit_Click);
    Form_Load();
}

QComboBox* CalculatorWindow::input(const QString& name) const { return controls_.get<QComboBox>(name); }

QLineEdit* CalculatorWindow::result(sections::Result r) const {
    return controls_.get<QLineEdit>(qs(sections::resultName(r)));
}

void CalculatorWindow::Form_Load() {
    fillChoiceLists();
    showDefaultTexts();
}

void CalculatorWindow::run_Click() { calculateAndShowResults(); }

void CalculatorWindow::Command1_Click() { backToShapeChoice(); }

void CalculatorWindow::exit_Click() { manager().endProgram(); }

// Fixed lists first, one input after the other in table order, then one pass
// per count list over its integers, each item going to every count input of
// that list in turn.
void CalculatorWindow::fillChoiceLists() {
    for (const sections::InputSpec& entry : shape_.inputs) {
        if (sections::isCountList(entry.list)) continue;
        QComboBox* field = input(qs(entry.name));
        for (const std::string& item : sections::choiceListItems(entry.list)) field->addItem(qs(item));
    }
    for (sections::ChoiceList countList : sections::kCountLists) {
        std::vector<QComboBox*> fields;
        for (const sections::InputSpec& entry : shape_.inputs) {
            if (entry.list == countList) fields.push_back(input(qs(entry.name)));
        }
        for (const std::string& item : sections::choiceListItems(countList)) {
            for (QComboBox* field : fields) field->addItem(qs(item));
        }
    }
}

// Appending to an empty list selects its first item; the fields keep their
// default texts and no item is selected.
void CalculatorWindow::showDefaultTexts() {
    for (const sections::InputSpec& entry : shape_.inputs) setFieldText(input(qs(entry.name)), qs(entry.defaultText));
}

void CalculatorWindow::calculateAndShowResults() {
    std::vector<std::string> texts;
    texts.reserve(shape_.inputs.size());
    for (const sections::InputSpec& entry : shape_.inputs)
        texts.push_back(fieldText(input(qs(entry.name))).toStdString());
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    const sections::ResultTexts shown = sections::displayTexts(sections::calculateFromTexts(shape_, views));
    for (sections::Result r : shape_.writeOrder) result(r)->setText(qs(shown[r]));
}

void CalculatorWindow::backToShapeChoice() {
    manager().show(kStartWindowName);
    manager().close(this);
}

void CalculatorWindow::nameForAccessibility() {
    // Each label record names the field or result box it belongs to; that
    // control is announced by the label's caption.
    for (const layouts::ControlRecord& record : layouts::calculatorLayout(shape_.windowName)->controls) {
        if (record.buddy.empty()) continue;
        auto* label = controls_.get<QLabel>(qs(record.name));
        QWidget* named = controls_.widget(qs(record.buddy));
        label->setBuddy(named);
        named->setAccessibleName(label->text());
    }
}

}  // namespace dravik::shell
