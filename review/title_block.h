// The title block of a calculation sheet (计算书信息): which project, which
// member, who designed, checked and reviewed it, and when. Qt-free: the
// dialog fills it, the sheet and the book print it.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace dravik::review {

struct TitleBlock {
    std::string project;   // 工程名称
    std::string building;  // 子项/楼号
    std::string memberId;  // 构件编号, "GBZ1"
    std::string floor;     // 楼层/部位
    std::string designer;  // 设计
    std::string checker;   // 校对
    std::string reviewer;  // 审核
    std::string date;      // 日期, "2026-12-09"

    bool empty() const;
};

// One field: its label as the dialog and the sheet show it, the name it is
// remembered under and given on the command line (--project …), and where
// it is kept.
struct TitleField {
    std::string_view label;
    std::string_view key;
    std::string TitleBlock::*member;
    bool remembered;  // kept from one sheet to the next (构件编号 and 日期 are not)
};
std::span<const TitleField> titleFields();
// The field of 构件编号.
const TitleField& memberField();

// The file name a sheet is proposed under: "GBZ1-暗柱-计算书.pdf", or
// "暗柱-计算书.pdf" without a member id. Characters a file name cannot hold
// ("/", control characters) become "_".
std::string proposedFileName(std::string_view memberId, std::string_view typeName);

// The footer of page `page` of `pages`: "第 1 页 共 3 页".
std::string pageFooter(int page, int pages);

}  // namespace dravik::review
