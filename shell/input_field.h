// The editable drop-down list that holds every input of a calculator window.
#pragma once

#include <QComboBox>

namespace dravik::shell {

// An editable combo box that keeps exactly what the user typed.
//
// Qt's defaults would change the text behind the user's back: the completer
// inline-completes "5" to "500" from the list, and Enter appends the typed
// text to the list as a new item. Both are switched off. The completer comes
// back whenever setEditable or setLineEdit is called, so it is removed last.
QComboBox* makeInputField(QWidget* parent);

// The field's text, which is the input's only value. Read the line edit, not
// currentIndex(): without a completer the index can still name an old item
// while the field shows the typed text.
QString fieldText(const QComboBox* field);

// Shows `text` in the field with no list item selected.
void setFieldText(QComboBox* field, const QString& text);

}  // namespace dravik::shell
