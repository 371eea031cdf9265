#include "shell/sheet_info_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <vector>

#include "review/review_texts.h"
#include "sheet/sheet_texts.h"
#include "shell/qt_text.h"

namespace dravik::shell {
namespace {

// A choice among `names`, or none (the first, empty item).
template <typename Entry>
QComboBox* choiceOf(std::span<const Entry> entries, const std::string& current, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItem(QString());
    for (const Entry& entry : entries) box->addItem(qs(entry.name));
    box->setCurrentIndex(std::max(0, box->findText(qs(current))));
    return box;
}

}  // namespace

bool runSheetInfoDialog(QWidget* parent, SheetInfo& info) {
    QDialog dialog(parent);
    dialog.setWindowTitle(qs(sheet::texts::kInfoTitle));
    auto* form = new QFormLayout(&dialog);
    std::vector<std::pair<QLineEdit*, std::string review::TitleBlock::*>> fields;
    for (const review::TitleField& field : review::titleFields()) {
        auto* edit = new QLineEdit(qs(info.titleBlock.*field.member), &dialog);
        edit->setObjectName(qs(field.key));
        form->addRow(qs(field.label), edit);
        fields.emplace_back(edit, field.member);
    }
    QComboBox* grade = choiceOf(review::concreteGrades(), info.requirements.concreteGrade, &dialog);
    QComboBox* steel = choiceOf(review::hoopSteels(), info.requirements.hoopSteel, &dialog);
    auto* lambdaV = new QLineEdit(qs(info.requirements.lambdaV), &dialog);
    auto* rhoMin = new QLineEdit(qs(info.requirements.rhoMin), &dialog);
    form->addRow(qs(review::texts::kGradeLabel), grade);
    form->addRow(qs(review::texts::kSteelLabel), steel);
    form->addRow(qs(review::texts::kLambdaLabel), lambdaV);
    form->addRow(qs(review::texts::kRhoMinLabel), rhoMin);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    // The member changes from one column to the next: it is what to type first.
    dialog.findChild<QLineEdit*>(QStringLiteral("member"))->setFocus();
    if (dialog.exec() != QDialog::Accepted) return false;

    for (const auto& [edit, member] : fields) info.titleBlock.*member = edit->text().trimmed().toStdString();
    info.requirements = {grade->currentText().toStdString(), steel->currentText().toStdString(),
                         lambdaV->text().trimmed().toStdString(), rhoMin->text().trimmed().toStdString()};
    return true;
}

}  // namespace dravik::shell
