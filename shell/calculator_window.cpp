#include "shell/calculator_window.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <string>
#include <vector>

#include "layouts/windows.h"
#include "review/title_block.h"
#include "sections/calculation.h"
#include "sheet/sheet_review.h"
#include "sheet/sheet_texts.h"
#include "shell/input_field.h"
#include "shell/qt_text.h"
#include "shell/read_as_mark.h"
#include "shell/sheet_dialogs.h"
#include "shell/sheet_document.h"
#include "shell/sheet_pages.h"
#include "shell/window_manager.h"

namespace dravik::shell {

CalculatorWindow::CalculatorWindow(WindowManager& manager, const sections::SectionShape& shape)
    : ProgramWindow(manager, qs(shape.windowName)), shape_(shape) {
    setWindowTitle(qs(shape.caption));
    controls_ = buildLayout(this, *layouts::calculatorLayout(shape.windowName));
    for (sections::Result r : sections::kAllResults)
        result(r)->setText(qs(shape.initialTexts[static_cast<std::size_t>(r)]));
    nameForAccessibility();

    connect(controls_.get<QPushButton>(layouts::Role::Calculate), &QPushButton::clicked, this,
            &CalculatorWindow::run_Click);
    connect(controls_.get<QPushButton>(layouts::Role::BackToStart), &QPushButton::clicked, this,
            &CalculatorWindow::Command1_Click);
    connect(controls_.get<QPushButton>(layouts::Role::EndProgram), &QPushButton::clicked, this,
            &CalculatorWindow::exit_Click);
    addSheetCommands();
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
    for (const sections::InputField& entry : shape_.inputs) {
        if (sections::isCountList(entry.list)) continue;
        QComboBox* field = input(qs(entry.name));
        for (const std::string& item : sections::choiceListItems(entry.list)) field->addItem(qs(item));
    }
    for (sections::ChoiceList countList : sections::kCountLists) {
        std::vector<QComboBox*> fields;
        for (const sections::InputField& entry : shape_.inputs) {
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
    for (const sections::InputField& entry : shape_.inputs) setFieldText(input(qs(entry.name)), qs(entry.defaultText));
}

std::vector<std::string> CalculatorWindow::fieldTexts() const {
    std::vector<std::string> texts;
    texts.reserve(shape_.inputs.size());
    for (const sections::InputField& entry : shape_.inputs)
        texts.push_back(fieldText(input(qs(entry.name))).toStdString());
    return texts;
}

void CalculatorWindow::calculateAndShowResults() {
    const std::vector<std::string> texts = fieldTexts();
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    const sections::ResultTexts shown = sections::displayTexts(sections::calculateFromTexts(shape_, views));
    for (sections::Result r : shape_.writeOrder) result(r)->setText(qs(shown[r]));
    markFieldsNotReadAsShown();
}

// The sheet's input rows say which fields were not wholly a number and what
// was read from them: the window marks the same fields with the same number.
void CalculatorWindow::markFieldsNotReadAsShown() {
    for (const sheet::InputRow& row : calculationSheet().inputs) {
        if (row.notWhollyNumber) markReadAs(input(qs(row.name)), qs(row.valueText));
    }
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

sheet::CalculationSheet CalculatorWindow::calculationSheet() const {
    const std::vector<std::string> texts = fieldTexts();
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    sheet::CalculationSheet sheet = sheet::makeSheet(shape_, views, now.toStdString(), DRAVIK_VERSION);
    if (sheetInfo_) sheet::addReview(sheet, sheetInfo_->titleBlock, sheetInfo_->requirements);
    return sheet;
}

bool CalculatorWindow::askSheetInfo() {
    // The member is asked each time; the rest comes as last entered.
    SheetInfo info = sheetInfo_ ? *sheetInfo_ : rememberedSheetInfo();
    info.titleBlock.memberId.clear();
    if (!sheetDialogs().askSheetInfo(this, info)) return false;
    rememberSheetInfo(info);
    sheetInfo_ = std::move(info);
    return true;
}

bool CalculatorWindow::haveSheetInfo() { return sheetInfo_ || askSheetInfo(); }

QString CalculatorWindow::proposedSheetPath(const sheet::CalculationSheet& sheet) const {
    return QDir(lastSheetFolder()).filePath(qs(review::proposedFileName(sheet.titleBlock.memberId, sheet.typeName)));
}

void CalculatorWindow::addSheetCommands() {
    struct Command {
        std::string_view text;
        QKeySequence keys;
        void (CalculatorWindow::*run)();
    };
    const Command commands[] = {
        {sheet::texts::kPrintCommand, QKeySequence(Qt::CTRL | Qt::Key_P), &CalculatorWindow::printCalculationSheet},
        {sheet::texts::kSaveCommand, QKeySequence(Qt::CTRL | Qt::Key_S), &CalculatorWindow::saveCalculationSheet},
        {sheet::texts::kCopyCommand, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
         &CalculatorWindow::copyCalculationResults},
        {sheet::texts::kInfoCommand, QKeySequence(), nullptr},
    };
    for (const Command& c : commands) {
        auto* action = new QAction(qs(c.text), this);
        action->setShortcut(c.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        if (c.run != nullptr)
            connect(action, &QAction::triggered, this, c.run);
        else
            connect(action, &QAction::triggered, this, [this] { askSheetInfo(); });
        addAction(action);
    }
    // A right-click anywhere but in a text field (which keeps its own edit
    // menu) reaches the window, which offers its actions.
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CalculatorWindow::printCalculationSheet() {
    controls_.get<QPushButton>(layouts::Role::Calculate)->click();
    if (!haveSheetInfo()) return;
    const sheet::CalculationSheet sheet = calculationSheet();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(sheetPageLayout());
    // Printing to a file proposes the document's name with ".pdf": the
    // name a save proposes.
    printer.setDocName(QFileInfo(proposedSheetPath(sheet)).completeBaseName());
    if (!sheetDialogs().setUpPrinter(this, printer)) return;
    if (!printSheet(sheet, printer)) {
        QMessageBox::warning(this, qs(sheet::texts::kPrintTitle), qs(sheet::texts::kNotPrinted));
    }
}

void CalculatorWindow::saveCalculationSheet() {
    controls_.get<QPushButton>(layouts::Role::Calculate)->click();
    if (!haveSheetInfo()) return;
    const sheet::CalculationSheet sheet = calculationSheet();
    const QString path = sheetDialogs().saveFileName(this, proposedSheetPath(sheet));
    if (path.isEmpty()) return;
    rememberSheetFolder(QFileInfo(path).absolutePath());
    const QString error = writeSheetPdf(sheet, path);
    if (!error.isEmpty()) {
        QMessageBox::warning(this, qs(sheet::texts::kSaveTitle), qs(sheet::texts::kNotSaved).arg(error));
    }
}

void CalculatorWindow::copyCalculationResults() {
    controls_.get<QPushButton>(layouts::Role::Calculate)->click();
    QGuiApplication::clipboard()->setText(qs(sheet::tabSeparatedRows(calculationSheet())));
}

}  // namespace dravik::shell
