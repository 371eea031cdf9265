#include "review/title_block.h"

#include "review/review_texts.h"
#include "sheet/sheet_texts.h"

namespace dravik::review {
namespace {

constexpr TitleField kFields[] = {
    {"工程名称", "project", &TitleBlock::project, true},  {"子项/楼号", "building", &TitleBlock::building, true},
    {"构件编号", "member", &TitleBlock::memberId, false}, {"楼层/部位", "floor", &TitleBlock::floor, true},
    {"设计", "designer", &TitleBlock::designer, true},    {"校对", "checker", &TitleBlock::checker, true},
    {"审核", "reviewer", &TitleBlock::reviewer, true},    {"日期", "date", &TitleBlock::date, false},
};

}  // namespace

std::span<const TitleField> titleFields() { return kFields; }

const TitleField& memberField() {
    for (const TitleField& field : kFields) {
        if (field.member == &TitleBlock::memberId) return field;
    }
    return kFields[0];  // never: the table has the member's field
}

bool TitleBlock::empty() const {
    for (const TitleField& field : kFields) {
        if (!(this->*field.member).empty()) return false;
    }
    return true;
}

std::string proposedFileName(std::string_view memberId, std::string_view typeName) {
    std::string name;
    for (char c : memberId) {
        const bool unfit = c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
        name += unfit ? '_' : c;
    }
    if (!name.empty()) name += '-';
    return name + std::string(typeName) + std::string(texts::kFileSuffix);
}

std::string pageFooter(int page, int pages) {
    return sheet::texts::filled(texts::kFooter, {std::to_string(page), std::to_string(pages)});
}

}  // namespace dravik::review
