#include "shell/read_as_mark.h"

#include <QComboBox>
#include <QLineEdit>

#include "sheet/sheet_texts.h"
#include "shell/appearance.h"
#include "shell/qt_text.h"

namespace dravik::shell {
namespace {

constexpr char kName[] = "readAsMark";

// A child of the marked line edit that keeps what the mark replaced and puts
// it back when the text changes. Only marked fields are touched at all, so a
// window whose fields all read as they look is drawn exactly as before.
class ReadAsMark : public QObject {
public:
    explicit ReadAsMark(QLineEdit* edit)
        : QObject(edit),
          ownPalette_(edit->testAttribute(Qt::WA_SetPalette)),
          palette_(edit->palette()),
          toolTip_(edit->toolTip()) {
        setObjectName(QLatin1String(kName));
        // Only the text colour is set, so everything else still comes from
        // the field around the line edit.
        QPalette red;
        red.setColor(QPalette::Text, kCaptionRed);
        edit->setPalette(ownPalette_ ? red.resolve(palette_) : red);
        connect(edit, &QLineEdit::textChanged, this, [this, edit] {
            // A default palette makes the line edit follow its field again.
            edit->setPalette(ownPalette_ ? palette_ : QPalette());
            edit->setToolTip(toolTip_);
            deleteLater();
            setParent(nullptr);  // not found by isMarkedReadAs any more
        });
    }

private:
    bool ownPalette_;
    QPalette palette_;
    QString toolTip_;
};

QObject* markOf(const QComboBox* field) {
    // By name: findChild by type needs a meta-object of its own.
    return field->lineEdit()->findChild<QObject*>(QLatin1String(kName), Qt::FindDirectChildrenOnly);
}

}  // namespace

void markReadAs(QComboBox* field, const QString& numberRead) {
    QLineEdit* edit = field->lineEdit();
    if (markOf(field) == nullptr) new ReadAsMark(edit);
    edit->setToolTip(qs(sheet::texts::kReadAsTooltip).arg(numberRead));
}

bool isMarkedReadAs(const QComboBox* field) { return markOf(field) != nullptr; }

}  // namespace dravik::shell
