// What the header row says about each column, worked out once per file: the
// shape column, each shape's input columns, the columns of the designer's
// requirements for the check (验算), and where the output columns (the
// three results and the notes; with requirement columns also [ρv] and the
// check's verdict) stand or are appended.
//
// A header name is matched with ASCII case, full-width forms and blanks not
// counting: "Shape", "ＳＨＡＰＥ" and " shape " all name the shape column.
// Besides its short name ("a", "zj1zj", "zjl"), each field is named by the
// caption of its label in any calculator window, with or without the unit in
// brackets: "长度a（mm）", "长度a(mm)" and "长度a" all name a. "形状" names
// the shape column, "计算说明" the notes column.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/text_encoding.h"
#include "review/design_check.h"
#include "sections/section_shape.h"

namespace dravik::batch {

using sections::kMaxInputs;

// A header further down than this is not looked for: the records above it
// are held in memory until it is found.
inline constexpr std::int64_t kMaxTitleRows = 10;
// Names are short: a header cell longer than this names no column, and only
// its start is kept (for a message), marked "…", which no name holds. Cells
// shown in messages and notes are cut there too.
inline constexpr std::size_t kLongestName = 256;

// Header cell `cell` (in `codec`'s encoding) as a name in UTF-8: its start
// as kLongestName allows; its bytes as they are when not valid there.
std::string headerName(Codec& codec, std::string_view cell);

// The columns the tool always writes: the three results, then the notes.
inline constexpr std::size_t kOutputColumns = 4;
inline constexpr std::size_t kNotesColumn = 3;
// The notes column's title beside the windows' labels.
inline constexpr std::string_view kNotesTitle = "计算说明";
// Written only when the header has a requirement column: the required
// volumetric hoop ratio and the check's verdict, titled so whatever the
// header's names.
inline constexpr std::size_t kRequiredHoopColumn = 4;
inline constexpr std::size_t kCheckColumn = 5;
inline constexpr std::size_t kAllOutputColumns = 6;
inline constexpr std::string_view kRequiredHoopTitle = "[ρv]（％）";
inline constexpr std::string_view kCheckTitle = "验算";
inline constexpr const auto& kResults = sections::kAllResults;
// "zjmj", "zjl", "tjpgl", "notes", "[ρv]（％）" or "验算".
std::string_view outputColumnName(std::size_t column);

enum class ColumnKind { Other, Shape, Input, Output, Requirement };

struct ColumnName {
    ColumnKind kind = ColumnKind::Other;
    std::string_view field;  // the short name: "shape", "a", "zjl", "notes"; a requirement's label
    int output = -1;         // for ColumnKind::Output: 0 … 5; for ColumnKind::Requirement: its place in
                             // review::requirementFields()
    bool byLabel = false;    // named by a window's label (or "形状"), not a short name
};

// A header name made comparable: blanks (ASCII and full-width, and the
// byte-order mark character) removed, full-width ASCII forms made
// half-width, ASCII letters made lower case.
std::string normalizeName(std::string_view utf8);

// A header title or shape name (UTF-8) shown as written, blanks around it
// aside, unless it holds what a one-line message cannot (control characters,
// quotes, bytes that are not UTF-8): then quoted and escaped.
std::string titleForMessage(std::string_view name);

// What the header text `name` (UTF-8) names.
ColumnName nameColumn(std::string_view name);

// Which of `candidates` (labels) the header title `title` (UTF-8) is most
// probably meant for: the one with the fewest characters changed, blanks,
// case, full-width forms and a unit in brackets not counting, provided at
// most half of the shorter name changed; -1 when none is that close.
int closestName(std::string_view title, std::span<const std::string> candidates);

// Every name of every field with what it names, as the windows' labels give
// them: pairs of (normalized alias, short name). A name may come more than
// once (every window has "纵筋1直径"); it must then name the same field.
std::vector<std::pair<std::string, std::string_view>> allAliases();

class HeaderColumns {
public:
    // Reads the header's names (UTF-8); on a problem returns its message.
    std::string read(std::span<const std::string> names);

    std::size_t width() const { return width_; }
    std::size_t shapeColumn() const { return shapeColumn_; }
    // Which output column header column j is, or -1.
    int outputAt(std::size_t j) const { return outputAt_[j]; }
    // Whether any output column stands in the header.
    bool anyOutputInPlace() const { return appended_.size() < outputCount(); }
    // Whether the header has a requirement column: then the rows are checked
    // and the output has the columns [ρv] and 验算 too.
    bool checks() const { return checks_; }
    // How many output columns the file gets: kOutputColumns, or
    // kAllOutputColumns with checks().
    std::size_t outputCount() const { return checks_ ? kAllOutputColumns : kOutputColumns; }
    // The header column of requirement k (in review::requirementFields()),
    // or -1.
    int requirementColumn(std::size_t k) const { return requirementColumn_[k]; }
    // The output columns the header lacks, in the order they are appended.
    const std::vector<int>& appended() const { return appended_; }
    // The header column of input `input` of shape number `shape` (in
    // allShapes()), or -1.
    int inputColumn(std::size_t shape, std::size_t input) const { return inputColumn_[shape][input]; }
    // Non-empty header names that name nothing: carried through unchanged.
    const std::vector<std::string>& unmatched() const { return unmatched_; }
    // Whether the header speaks the windows' words: some input (or, with no
    // input column, the shape column) is named by its label. Then missing
    // inputs are named by their labels and the appended columns get the
    // windows' result labels and "计算说明".
    bool labels() const { return labels_; }
    // Header column j's title as written, ready for a one-line message.
    const std::string& title(std::size_t j) const { return titles_[j]; }
    // The title of output column k: as the header writes it, or as appended.
    std::string_view outputTitle(std::size_t k) const;
    // Columns that name notes but not as the tool writes them ("Notes",
    // "NOTES", not "notes" or "计算说明"): the user's own, carried through
    // unchanged.
    const std::vector<std::string>& ownNotes() const { return ownNotes_; }

private:
    bool labels_ = false;
    bool checks_ = false;
    std::array<int, review::kRequirementCount> requirementColumn_{};
    std::vector<std::string> titles_;
    std::size_t width_ = 0;
    std::size_t shapeColumn_ = 0;
    std::vector<std::array<int, kMaxInputs>> inputColumn_;
    std::vector<int> outputAt_;
    std::vector<int> appended_;
    std::vector<std::string> unmatched_;
    std::vector<std::string> ownNotes_;
};

}  // namespace dravik::batch
