// The window layout records: consistent among themselves and with the
// section input tables, which are transcribed from another source.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "layouts/windows.h"
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

TEST(LayoutTables, EveryInputHasItsFieldAndLabelAsTheInputTableSays) {
    for (const sections::SectionShape* shape : sections::allShapes()) {
        const WindowLayout* layout = layouts::calculatorLayout(shape->windowName);
        ASSERT_NE(layout, nullptr) << shape->windowName;
        std::size_t fields = 0;
        for (const ControlRecord& c : layout->controls) fields += c.kind == ControlClass::ComboBox ? 1 : 0;
        EXPECT_EQ(fields, shape->inputs.size()) << shape->windowName;
        for (const sections::InputSpec& input : shape->inputs) {
            SCOPED_TRACE(std::string(shape->windowName) + "." + std::string(input.name));
            const ControlRecord* field = layout->find(input.name);
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->kind, ControlClass::ComboBox);
            EXPECT_EQ(field->width, 65);
            EXPECT_EQ(field->height, 20);
            const ControlRecord* label = layout->find(input.labelControl);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->kind, ControlClass::Label);
            EXPECT_EQ(label->caption, input.labelText);
            EXPECT_EQ(label->tooltip, input.tooltip);
            EXPECT_EQ(label->container, field->container);
            EXPECT_EQ(label->top + 16, field->top);  // each label 16 px above its field
        }
    }
}

TEST(LayoutTables, ResultBoxesAreReadOnlyBlueAndLarger) {
    for (const sections::SectionShape* shape : sections::allShapes()) {
        const WindowLayout* layout = layouts::calculatorLayout(shape->windowName);
        for (std::string_view name : {"zjmj", "zjl", "tjpgl"}) {
            SCOPED_TRACE(std::string(shape->windowName) + "." + std::string(name));
            const ControlRecord* box = layout->find(name);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->kind, ControlClass::TextBox);
            EXPECT_TRUE(box->readOnly);
            EXPECT_EQ(box->colour, layouts::TextColour::Blue);
            EXPECT_EQ(box->fontPixels, 16);
            EXPECT_EQ(box->width, 68);
            EXPECT_EQ(box->height, 18);
        }
    }
}

}  // namespace
