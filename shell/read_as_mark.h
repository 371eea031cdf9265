// The mark on an input field whose text "计算" did not read as it looks:
// text after the number ("12.5mm"), a zero-width space inside it ("4​00"
// reads 4), a no-break space ("1 200" reads 1). The figures are computed
// from what was read, as always; the mark only says so.
#pragma once

#include <QString>

class QComboBox;

namespace dravik::shell {

// Turns the field's text red, with the tooltip "按 4 计算" naming the
// number that was read, until the text changes. Marking a marked field again
// only updates the tooltip.
void markReadAs(QComboBox* field, const QString& numberRead);

// True while the field carries the mark.
bool isMarkedReadAs(const QComboBox* field);

}  // namespace dravik::shell
