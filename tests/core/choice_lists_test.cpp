// The suggested items of the drop-down lists and which inputs offer them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sections/choice_lists.h"
#include "sections/shapes.h"
#include "text_rules/text_rules.h"

namespace {

using namespace dravik::sections;
using dravik::text_rules::readNumber;

struct RangeCase {
    ChoiceList list;
    const char* first;
    const char* last;
};

// The range each list spans, first and last item as the drop-down shows them.
const RangeCase kRanges[] = {
    {ChoiceList::WideDimension, "400", "1200"},
    {ChoiceList::RectangleWidth, "200", "700"},
    {ChoiceList::LimbDimension, "200", "600"},
    {ChoiceList::BarDiameter, "16", "32"},
    {ChoiceList::HoopDiameter, "8", "14"},
    {ChoiceList::Spacing, "100", "200"},
    {ChoiceList::Cover, "15", "32"},
    {ChoiceList::Count, " 2", " 16"},
    {ChoiceList::CountFrom1, " 1", " 16"},
};

TEST(ChoiceLists, EachListSpansItsRange) {
    for (const RangeCase& c : kRanges) {
        const std::vector<std::string> items = choiceListItems(c.list);
        ASSERT_FALSE(items.empty()) << static_cast<int>(c.list);
        EXPECT_EQ(items.front(), c.first) << static_cast<int>(c.list);
        EXPECT_EQ(items.back(), c.last) << static_cast<int>(c.list);
    }
}

// A picked item must read as the number it shows, and the items climb, so
// that a user finds a value where it belongs.
TEST(ChoiceLists, ItemsAreWholeNumbersInRisingOrder) {
    for (const RangeCase& c : kRanges) {
        double previous = 0;
        for (const std::string& item : choiceListItems(c.list)) {
            const double value = readNumber(item);
            EXPECT_EQ(value, static_cast<double>(static_cast<int>(value))) << item;
            EXPECT_GT(value, previous) << static_cast<int>(c.list) << ": " << item;
            previous = value;
        }
    }
}

// Count items are produced by counting in steps of one and written in the
// number-to-text form, with its leading blank; fixed items are written bare.
TEST(ChoiceLists, CountListsCountInStepsOfOneInTheNumberToTextForm) {
    for (const RangeCase& c : kRanges) {
        const std::vector<std::string> items = choiceListItems(c.list);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const double value = readNumber(items[i]);
            if (!isCountList(c.list)) {
                EXPECT_NE(items[i].front(), ' ') << items[i];
            } else {
                EXPECT_EQ(items[i], dravik::text_rules::formatNumber(value)) << items[i];
                if (i > 0) {
                    EXPECT_EQ(value, readNumber(items[i - 1]) + 1) << items[i];
                }
            }
        }
    }
}

// A leg or bar count offers a count list; a dimension, diameter, spacing or
// cover offers a fixed list. Counts are the inputs whose names end in "sl".
TEST(ChoiceLists, CountInputsAndOnlyThemOfferACountList) {
    for (const SectionShape* shape : allShapes()) {
        for (const InputField& input : shape->inputs) {
            EXPECT_EQ(isCountList(input.list), input.name.ends_with("sl")) << shape->windowName << "." << input.name;
        }
    }
}

}  // namespace
