// A building file read for a book of calculation sheets: the whole file goes
// through the batch calculation (batch/batch.h), with its header checks and
// row rules, and the rows come back one at a time with their shape, field
// texts, results or reason, and the optional columns of the sheet (构件编号,
// 楼层/部位 and the requirements of the check). Qt-free; memory does not grow
// with the file, whose results pass through a temporary file.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "batch/batch.h"
#include "review/design_check.h"
#include "sections/section_shape.h"

namespace dravik::book {

struct BuildingRow {
    std::int64_t record = 0;                        // the row's number among the file's rows, from 1
    const sections::SectionShape* shape = nullptr;  // nullptr for a shape the tool does not know
    std::string shapeText;                          // the shape cell as written
    std::vector<std::string> fieldTexts;            // one per input of `shape`, as the calculation read them
    bool calculated = false;                        // the batch calculation gave results
    std::array<std::string, 3> results;             // as the batch tool wrote them
    std::string notes;                              // its notes: why a row was not calculated
    std::string memberId;                           // 构件编号
    std::string floor;                              // 楼层/部位
    review::Requirements requirements;
};

// The titles of the optional columns besides the requirements (which the
// batch tool reads itself, review::requirementFields()), as the dialog
// labels them.
struct OptionalColumn {
    std::string_view title;
    std::string BuildingRow::*member;
};
std::span<const OptionalColumn> optionalColumns();

// Runs the batch calculation of `input` with `options`, its messages to
// `messages`, then hands every row after the header to `row`, in order.
// Rows of blank cells are skipped. Returns the batch tool's summary (its
// exit status); with kExitTrouble no row is handed out.
batch::BatchSummary readBuilding(batch::ByteSource& input, const batch::BatchOptions& options,
                                 const batch::MessageSink& messages,
                                 const std::function<void(const BuildingRow&)>& row);

}  // namespace dravik::book
