// The window layout records: consistent among themselves and with the
// section input tables, which are transcribed from another source.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "layouts/windows.h"
#include "sections/calculation.h"
#include "sections/shapes.h"

namespace {

using namespace dravik;
using layouts::ControlClass;
using layouts::ControlRecord;
using layouts::WindowLayout;

const WindowLayout* const kAllLayouts[] = {&layouts::kStartWindow, &layouts::kRectangleWindow, &layouts::kLShapeWindow,
                                           &layouts::kFlangedWindow, &layouts::kZShapeWindow};

TEST(LayoutTables, TabPositionsRunFromZeroWithoutGapsAndPicturesHaveNone) {
    for (const WindowLayout* layout : kAllLayouts) {
        std::vector<int> tabs;
        for (const ControlRecord& c : layout->controls) {
            if (c.kind == ControlClass::Picture) {
                EXPECT_EQ(c.tab, -1) << layout->windowName << "." << c.name;
            } else {
                tabs.push_back(c.tab);
            }
        }
        std::sort(tabs.begin(), tabs.end());
        for (std::size_t i = 0; i < tabs.size(); ++i) {
            ASSERT_EQ(tabs[i], static_cast<int>(i)) << layout->windowName << ": gap or repeat in the tab positions";
        }
    }
}

TEST(LayoutTables, NamesAreUniqueAndContainersAreEarlierGroupBoxes) {
    for (const WindowLayout* layout : kAllLayouts) {
        std::set<std::string_view> seen;
        std::set<std::string_view> groupBoxes;
        for (const ControlRecord& c : layout->controls) {
            EXPECT_TRUE(seen.insert(c.name).second) << layout->windowName << " names " << c.name << " twice";
            if (!c.container.empty()) {
                EXPECT_TRUE(groupBoxes.count(c.container)) << layout->windowName << "." << c.name;
            }
            if (c.kind == ControlClass::GroupBox) groupBoxes.insert(c.name);
        }
    }
}

// Everything lies inside its container, but the start-up window's
// disclaimer, which runs 2 px past the client area's right and bottom edges.
TEST(LayoutTables, ControlsLieInsideTheirContainers) {
    for (const WindowLayout* layout : kAllLayouts) {
        for (const ControlRecord& c : layout->controls) {
            int width = layout->clientWidth, height = layout->clientHeight;
            if (const ControlRecord* box = layout->find(c.container)) {
                width = box->width;
                height = box->height;
            }
            const bool inside = c.left >= 0 && c.top >= 0 && c.left + c.width <= width && c.top + c.height <= height;
            const bool theDisclaimer = layout == &layouts::kStartWindow && c.name == "Label2";
            EXPECT_EQ(inside, !theDisclaimer) << layout->windowName << "." << c.name;
        }
    }
}

// Each input and each result box is named by exactly one label, which
// stands 16 px above it in the same group box; a label names nothing else.
TEST(LayoutTables, EveryFieldAndResultBoxHasOneLabelDirectlyAboveIt) {
    for (const sections::SectionShape* shape : sections::allShapes()) {
        const WindowLayout* layout = layouts::calculatorLayout(shape->windowName);
        ASSERT_NE(layout, nullptr) << shape->windowName;
        std::vector<std::pair<std::string_view, ControlClass>> named;
        for (const sections::InputField& input : shape->inputs) named.emplace_back(input.name, ControlClass::ComboBox);
        for (sections::Result r : sections::kAllResults)
            named.emplace_back(sections::resultName(r), ControlClass::TextBox);
        std::size_t fields = 0;
        for (const ControlRecord& c : layout->controls) fields += c.kind == ControlClass::ComboBox ? 1 : 0;
        EXPECT_EQ(fields, shape->inputs.size()) << shape->windowName;
        for (const auto& [name, kind] : named) {
            SCOPED_TRACE(std::string(shape->windowName) + "." + std::string(name));
            const ControlRecord* field = layout->find(name);
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->kind, kind);
            const auto labels = std::count_if(layout->controls.begin(), layout->controls.end(),
                                              [&, name = name](const ControlRecord& c) { return c.buddy == name; });
            EXPECT_EQ(labels, 1);
            const ControlRecord* label = layout->labelOf(name);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->container, field->container);
            EXPECT_EQ(label->top + 16, field->top);
        }
        for (const ControlRecord& c : layout->controls) {
            if (c.buddy.empty()) continue;
            EXPECT_EQ(c.kind, ControlClass::Label) << shape->windowName << "." << c.name;
            EXPECT_NE(std::find_if(named.begin(), named.end(), [&](const auto& n) { return n.first == c.buddy; }),
                      named.end())
                << shape->windowName << "." << c.name;
        }
    }
}

// Every option button opens the shape its caption names, and each shape
// has exactly one option button.
TEST(LayoutTables, EachOptionButtonOpensTheShapeItsCaptionNames) {
    std::set<const sections::SectionShape*> opened;
    std::size_t options = 0;
    for (const ControlRecord& c : layouts::kStartWindow.controls) {
        if (c.kind != ControlClass::OptionButton) continue;
        ++options;
        const auto* choice = std::find_if(std::begin(layouts::kShapeChoices), std::end(layouts::kShapeChoices),
                                          [&](const layouts::ShapeChoice& s) { return s.option == c.name; });
        ASSERT_NE(choice, std::end(layouts::kShapeChoices)) << c.name;
        const sections::SectionShape* shape = sections::findShape(choice->window);
        ASSERT_NE(shape, nullptr) << c.name;
        EXPECT_EQ(shape->typeName, c.caption) << c.name;
        EXPECT_TRUE(opened.insert(shape).second) << c.name;
    }
    EXPECT_EQ(options, std::size(layouts::kShapeChoices));
    EXPECT_EQ(opened.size(), sections::allShapes().size());
}

// The windows find these controls by their role: each window has exactly
// one of the kind the role needs, and every result box is one.
TEST(LayoutTables, EachWindowHasOneControlOfTheRightKindForEveryRoleItsCodeFinds) {
    using enum layouts::Role;
    const std::pair<layouts::Role, ControlClass> kStart[] = {
        {OpenCalculator, ControlClass::CommandButton},
        {EndProgram, ControlClass::CommandButton},
        {Disclaimer, ControlClass::Label},
    };
    const std::pair<layouts::Role, ControlClass> kCalculator[] = {
        {Calculate, ControlClass::CommandButton},  {BackToStart, ControlClass::CommandButton},
        {EndProgram, ControlClass::CommandButton}, {Diagram, ControlClass::Picture},
        {Disclaimer, ControlClass::Label},
    };
    using Needs = std::span<const std::pair<layouts::Role, ControlClass>>;
    for (const WindowLayout* layout : kAllLayouts) {
        const bool start = layout == &layouts::kStartWindow;
        for (const auto& [role, kind] : start ? Needs(kStart) : Needs(kCalculator)) {
            SCOPED_TRACE(std::string(layout->windowName) + " role " + std::to_string(static_cast<int>(role)));
            EXPECT_EQ(std::count_if(layout->controls.begin(), layout->controls.end(),
                                    [role = role](const ControlRecord& c) { return c.role == role; }),
                      1);
            ASSERT_NE(layout->find(role), nullptr);
            EXPECT_EQ(layout->find(role)->kind, kind);
        }
        for (const ControlRecord& c : layout->controls) {
            EXPECT_EQ(c.role == Result, c.kind == ControlClass::TextBox) << layout->windowName << "." << c.name;
        }
    }
}

struct FieldLabelCase {
    std::string_view window, field, label;
};

// The label captions that differ between windows, the result labels, which
// are different controls in different windows, and what an unknown name gives.
const FieldLabelCase kFieldLabelCases[] = {
    {"azpjl", "a", "长度a（mm）"},
    {"azpjl", "hxsl", "横向数量（根）"},
    {"lxzjzpjl", "xgzj", "小箍、拉筋直径（mm）"},
    {"yzpjl", "xgzj", "小箍及拉筋直径（mm）"},
    {"zxzjzpjl", "c", "宽度c（mm）"},
    {"yzpjl", "c", "高度c（mm）"},
    {"azpjl", "zjmj", "纵筋面积（mm2）"},
    {"zxzjzpjl", "zjmj", "纵筋面积（mm2）"},
    {"zxzjzpjl", "tjpgl", "体积配箍率（％）"},
    {"azpjl", "asl", ""},
    {"azpjl", "", ""},
    {"azpjl", "Label5", ""},
    {"欢迎使用", "a", ""},
    {"", "a", ""},
};

TEST(LayoutTables, FieldLabelIsTheCaptionOfTheLabelThatNamesTheField) {
    for (const FieldLabelCase& c : kFieldLabelCases) {
        EXPECT_EQ(layouts::fieldLabel(c.window, c.field), c.label) << c.window << "." << c.field;
    }
}

}  // namespace
