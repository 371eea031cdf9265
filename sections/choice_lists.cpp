#include "sections/choice_lists.h"

#include "text_rules/text_rules.h"

namespace dravik::sections {
namespace {

constexpr int kLastCount = 16;

std::vector<std::string> fixed(std::initializer_list<std::string_view> items) { return {items.begin(), items.end()}; }

// The first item of a count list.
int firstCount(ChoiceList countList) { return countList == ChoiceList::CountFrom1 ? 1 : 2; }

}  // namespace

std::vector<std::string> choiceListItems(ChoiceList list) {
    switch (list) {
        case ChoiceList::WideDimension:
            return fixed(
                {"400", "450", "500", "550", "600", "650", "700", "750", "800", "900", "1000", "1100", "1200"});
        case ChoiceList::RectangleWidth:
            return fixed({"200", "250", "300", "350", "400", "450", "500", "550", "600", "650", "700"});
        case ChoiceList::LimbDimension: return fixed({"200", "250", "300", "350", "400", "450", "500", "550", "600"});
        case ChoiceList::BarDiameter: return fixed({"16", "18", "20", "22", "25", "28", "32"});
        case ChoiceList::HoopDiameter: return fixed({"8", "10", "12", "14"});
        case ChoiceList::Spacing: return fixed({"100", "110", "120", "150", "200"});
        case ChoiceList::Cover: return fixed({"15", "16", "18", "20", "22", "25", "28", "32"});
        case ChoiceList::Count:
        case ChoiceList::CountFrom1: break;
    }
    std::vector<std::string> items;
    for (int i = firstCount(list); i <= kLastCount; ++i) items.push_back(text_rules::formatNumber(i));
    return items;
}

}  // namespace dravik::sections
