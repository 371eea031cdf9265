#include "shell/layout_builder.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <vector>

#include "shell/appearance.h"
#include "shell/embedded_pictures.h"
#include "shell/input_field.h"
#include "shell/picture_box.h"
#include "shell/qt_text.h"

namespace dravik::shell {
namespace {

using layouts::ControlClass;
using layouts::ControlRecord;
using layouts::TextColour;

QColor colourOf(TextColour colour) {
    switch (colour) {
        case TextColour::Red: return kCaptionRed;
        case TextColour::Blue: return kResultBlue;
        case TextColour::System: break;
    }
    return {};
}

void setTextColour(QWidget* widget, QPalette::ColorRole role, TextColour colour) {
    if (colour == TextColour::System) return;
    QPalette palette = widget->palette();
    palette.setColor(role, colourOf(colour));
    widget->setPalette(palette);
}

QWidget* makeGroupBox(const ControlRecord& r, QWidget* parent) {
    auto* box = new QGroupBox(qs(r.caption), parent);
    // Only the caption is coloured, by the program's style: a palette colour
    // would also colour every control inside the group box, and group boxes
    // nested in this one keep the system colour.
    if (r.colour != TextColour::System) box->setProperty(kCaptionColourProperty, colourOf(r.colour));
    return box;
}

QWidget* makeLabel(const ControlRecord& r, QWidget* parent) {
    auto* label = new QLabel(qs(r.caption), parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);  // within the width; what does not fit the height is cut off
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);  // opaque, in the face colour
    setTextColour(label, QPalette::WindowText, r.colour);
    return label;
}

QWidget* makeResultBox(const ControlRecord& r, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setReadOnly(r.role == layouts::Role::Result);
    box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    box->setTextMargins(0, 0, 0, 0);
    setTextColour(box, QPalette::Text, r.colour);
    return box;
}

QWidget* makeButton(const ControlRecord& r, QWidget* parent) {
    auto* button = new QPushButton(qs(r.caption), parent);
    button->setAutoDefault(false);  // neither Enter nor Esc presses a button
    button->setDefault(false);
    return button;
}

QWidget* makePicture(const ControlRecord& r, QWidget* parent) { return new PictureBox(r.picture, parent); }

QWidget* makeControl(const ControlRecord& r, QWidget* parent) {
    switch (r.kind) {
        case ControlClass::GroupBox: return makeGroupBox(r, parent);
        case ControlClass::Label: return makeLabel(r, parent);
        case ControlClass::ComboBox: return makeInputField(parent);
        case ControlClass::TextBox: return makeResultBox(r, parent);
        case ControlClass::CommandButton: return makeButton(r, parent);
        case ControlClass::OptionButton: return new QRadioButton(qs(r.caption), parent);
        case ControlClass::Picture: return makePicture(r, parent);
    }
    return nullptr;
}

bool takesFocus(ControlClass kind) {
    return kind == ControlClass::ComboBox || kind == ControlClass::TextBox || kind == ControlClass::CommandButton ||
           kind == ControlClass::OptionButton;
}

// Of a set of option buttons only the selected one is a stop of the Tab key;
// the others can still be clicked (and take the focus then).
void keepOnlySelectedOptionAsTabStop(const std::vector<QRadioButton*>& options) {
    auto update = [options] {
        for (QRadioButton* option : options) {
            option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        }
    };
    for (QRadioButton* option : options) QObject::connect(option, &QRadioButton::toggled, option, update);
    update();
}

}  // namespace

BuiltControls buildLayout(QWidget* window, const layouts::WindowLayout& layout) {
    window->setFixedSize(layout.clientWidth, layout.clientHeight);
    window->setWindowIcon(windowIcon());
    window->setFont(songFont(layouts::kStandardFontPixels));

    BuiltControls controls(&layout);
    std::vector<std::pair<int, QWidget*>> tabStops;
    std::vector<QWidget*> labels;
    std::vector<QRadioButton*> options;
    for (const ControlRecord& r : layout.controls) {
        QWidget* parent = r.container.empty() ? window : controls.widget(qs(r.container));
        Q_ASSERT_X(parent != nullptr, "buildLayout", "a container must come before its contents");
        QWidget* widget = makeControl(r, parent);
        widget->setObjectName(qs(r.name));
        widget->setGeometry(r.left, r.top, r.width, r.height);
        if (r.fontPixels != 0) widget->setFont(songFont(r.fontPixels));
        if (!r.tooltip.empty()) widget->setToolTip(qs(r.tooltip));
        if (takesFocus(r.kind)) tabStops.emplace_back(r.tab, widget);
        if (r.kind == ControlClass::Label) labels.push_back(widget);
        if (auto* option = qobject_cast<QRadioButton*>(widget)) options.push_back(option);
        controls.add(qs(r.name), widget);
    }
    // A label lies beneath any control that overlaps it; of two overlapping
    // labels the later one lies on top.
    for (auto it = labels.rbegin(); it != labels.rend(); ++it) (*it)->lower();
    if (!options.empty()) keepOnlySelectedOptionAsTabStop(options);

    std::stable_sort(tabStops.begin(), tabStops.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    for (std::size_t i = 1; i < tabStops.size(); ++i) QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    if (!tabStops.empty()) tabStops.front().second->setFocus(Qt::OtherFocusReason);
    return controls;
}

}  // namespace dravik::shell
