// The suggested items of the drop-down lists and which inputs offer them.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "sections/choice_lists.h"
#include "sections/shapes.h"

namespace {

using namespace dravik::sections;
using Items = std::vector<std::string>;

TEST(ChoiceLists, FixedListsHoldTheirItemsInOrder) {
    EXPECT_EQ(choiceListItems(ChoiceList::WideDimension),
              (Items{"400", "450", "500", "550", "600", "650", "700", "750", "800", "900", "1000", "1100", "1200"}));
    EXPECT_EQ(choiceListItems(ChoiceList::RectangleWidth),
              (Items{"200", "250", "300", "350", "400", "450", "500", "550", "600", "650", "700"}));
    EXPECT_EQ(choiceListItems(ChoiceList::LimbDimension),
              (Items{"200", "250", "300", "350", "400", "450", "500", "550", "600"}));
    EXPECT_EQ(choiceListItems(ChoiceList::BarDiameter), (Items{"16", "18", "20", "22", "25", "28", "32"}));
    EXPECT_EQ(choiceListItems(ChoiceList::HoopDiameter), (Items{"8", "10", "12", "14"}));
    EXPECT_EQ(choiceListItems(ChoiceList::Spacing), (Items{"100", "110", "120", "150", "200"}));
    EXPECT_EQ(choiceListItems(ChoiceList::Cover), (Items{"15", "16", "18", "20", "22", "25", "28", "32"}));
}

TEST(ChoiceLists, CountListsAreIntegersWithALeadingBlank) {
    const Items count = choiceListItems(ChoiceList::Count);
    ASSERT_EQ(count.size(), 15u);
    EXPECT_EQ(count.front(), " 2");
    EXPECT_EQ(count[8], " 10");
    EXPECT_EQ(count.back(), " 16");
    const Items fromOne = choiceListItems(ChoiceList::CountFrom1);
    ASSERT_EQ(fromOne.size(), 16u);
    EXPECT_EQ(fromOne.front(), " 1");
    EXPECT_EQ(fromOne.back(), " 16");
}

// Which list each input of each window offers, written out by hand.
TEST(ChoiceLists, EachInputOffersItsList) {
    const std::map<std::string, ChoiceList> twoLimbShapes = {
        {"a", ChoiceList::WideDimension}, {"b", ChoiceList::WideDimension}, {"c", ChoiceList::LimbDimension},
        {"d", ChoiceList::LimbDimension}, {"asl", ChoiceList::Count},       {"bsl", ChoiceList::Count},
        {"csl", ChoiceList::Count},       {"dsl", ChoiceList::Count}};
    const std::map<std::string, std::map<std::string, ChoiceList>> expected = {
        {"azpjl",
         {{"a", ChoiceList::RectangleWidth},
          {"b", ChoiceList::WideDimension},
          {"hxsl", ChoiceList::Count},
          {"zxsl", ChoiceList::Count}}},
        {"lxzjzpjl", twoLimbShapes},
        {"yzpjl", twoLimbShapes},
        {"zxzjzpjl",
         {{"a", ChoiceList::WideDimension},
          {"b", ChoiceList::WideDimension},
          {"c", ChoiceList::LimbDimension},
          {"d", ChoiceList::LimbDimension},
          {"e", ChoiceList::LimbDimension},
          {"f", ChoiceList::LimbDimension},
          {"asl", ChoiceList::Count},
          {"bsl", ChoiceList::Count},
          {"csl", ChoiceList::Count},
          {"dsl", ChoiceList::CountFrom1},
          {"esl", ChoiceList::CountFrom1},
          {"fsl", ChoiceList::CountFrom1}}},
    };
    const std::map<std::string, ChoiceList> common = {
        {"zj1zj", ChoiceList::BarDiameter}, {"zj2zj", ChoiceList::BarDiameter}, {"zj1sl", ChoiceList::Count},
        {"zj2sl", ChoiceList::Count},       {"dgzj", ChoiceList::HoopDiameter}, {"xgzj", ChoiceList::HoopDiameter},
        {"gjjj", ChoiceList::Spacing},      {"bhhd", ChoiceList::Cover},
    };
    for (const SectionShape* shape : allShapes()) {
        auto lists = expected.at(std::string(shape->windowName));
        lists.insert(common.begin(), common.end());
        ASSERT_EQ(shape->inputs.size(), lists.size()) << shape->windowName;
        for (const InputSpec& input : shape->inputs) {
            auto it = lists.find(std::string(input.name));
            ASSERT_NE(it, lists.end()) << shape->windowName << " has an unexpected input " << input.name;
            EXPECT_EQ(input.list, it->second) << shape->windowName << "." << input.name;
        }
    }
}

}  // namespace
