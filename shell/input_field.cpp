#include "shell/input_field.h"

#include <QLineEdit>

namespace dravik::shell {

QComboBox* makeInputField(QWidget* parent) {
    auto* field = new QComboBox(parent);
    field->setEditable(true);
    field->setInsertPolicy(QComboBox::NoInsert);
    field->setDuplicatesEnabled(true);
    field->setMaxVisibleItems(16);
    field->setCompleter(nullptr);  // last: setEditable would bring it back
    return field;
}

QString fieldText(const QComboBox* field) { return field->lineEdit()->text(); }

void setFieldText(QComboBox* field, const QString& text) {
    field->setCurrentIndex(-1);
    field->lineEdit()->setText(text);
}

}  // namespace dravik::shell
