// Builds a window's controls from its layout records.
#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include "layouts/windows.h"
#include "shell/qt_text.h"

namespace dravik::shell {

// The controls of a built window by name, or by role.
class BuiltControls {
public:
    explicit BuiltControls(const layouts::WindowLayout* layout = nullptr) : layout_(layout) {}
    void add(const QString& name, QWidget* widget) { controls_.insert(name, widget); }
    QWidget* widget(const QString& name) const { return controls_.value(name); }
    template <typename T>
    T* get(const QString& name) const {
        return qobject_cast<T*>(controls_.value(name));
    }
    // The control of the first record for `role`.
    template <typename T>
    T* get(layouts::Role role) const {
        const layouts::ControlRecord* record = layout_ == nullptr ? nullptr : layout_->find(role);
        return record == nullptr ? nullptr : get<T>(qs(record->name));
    }

private:
    const layouts::WindowLayout* layout_;
    QHash<QString, QWidget*> controls_;
};

// Creates every control of `layout` on `window` at its recorded place, with
// its caption, font, colour, tooltip and picture; sets the window's fixed
// client size and icon and chains the tab order from the records' tab
// positions, the first stop getting the focus when the window is shown.
BuiltControls buildLayout(QWidget* window, const layouts::WindowLayout& layout);

}  // namespace dravik::shell
