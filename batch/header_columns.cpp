#include "batch/header_columns.h"

#include <algorithm>
#include <map>

#include "batch/text_encoding.h"
#include "batch/translate.h"
#include "layouts/windows.h"
#include "sections/calculation.h"
#include "sections/shapes.h"

namespace dravik::batch {
namespace {

// The code point at text[i] and its length, or 0 and 1 for a byte that does
// not begin a well-formed character.
std::pair<char32_t, std::size_t> codePointAt(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) return {c, 1};
    const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (length == 0 || validUtf8Prefix(text.substr(i, length)) != length) return {0, 1};
    char32_t cp = c & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return {cp, length};
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A normalized name without a unit in brackets at its end: "长度a(mm)" →
// "长度a"; the name itself when it has none.
std::string_view withoutUnit(std::string_view name) {
    if (name.size() < 2 || name.back() != ')') return name;
    const std::size_t open = name.rfind('(');
    return open == std::string_view::npos || open == 0 ? name : name.substr(0, open);
}

using AliasTable = std::map<std::string, ColumnName, std::less<>>;

// Every name of every field, as (normalized name, what it names), in the
// order they are made; a name may come more than once.
std::vector<std::pair<std::string, ColumnName>> aliasPairs() {
    std::vector<std::pair<std::string, ColumnName>> pairs;
    auto add = [&pairs](std::string_view alias, ColumnName name, bool byLabel = false) {
        name.byLabel = byLabel;
        const std::string key = normalizeName(alias);
        if (key.empty()) return;
        pairs.emplace_back(key, name);
        if (withoutUnit(key) != key) pairs.emplace_back(std::string(withoutUnit(key)), name);
    };
    add("shape", {ColumnKind::Shape, "shape"});
    add("形状", {ColumnKind::Shape, "shape"}, true);
    for (std::size_t k = 0; k < kAllOutputColumns; ++k) {
        add(outputColumnName(k), {ColumnKind::Output, outputColumnName(k), static_cast<int>(k)});
    }
    const auto requirements = review::requirementFields();
    for (std::size_t k = 0; k < requirements.size(); ++k) {
        add(requirements[k].label, {ColumnKind::Requirement, requirements[k].label, static_cast<int>(k)});
    }
    add(kNotesTitle, {ColumnKind::Output, outputColumnName(kNotesColumn), static_cast<int>(kNotesColumn)}, true);
    for (const auto* shape : sections::allShapes()) {
        for (const auto& input : shape->inputs) {
            add(input.name, {ColumnKind::Input, input.name});
            add(layouts::fieldLabel(shape->windowName, input.name), {ColumnKind::Input, input.name}, true);
        }
        for (std::size_t r = 0; r < kResults.size(); ++r) {
            const std::string_view name = sections::resultName(kResults[r]);
            add(layouts::fieldLabel(shape->windowName, name), {ColumnKind::Output, name, static_cast<int>(r)}, true);
        }
    }
    return pairs;
}

const AliasTable& aliasTable() {
    static const AliasTable table = [] {
        AliasTable t;
        for (const auto& [alias, name] : aliasPairs()) t.emplace(alias, name);
        return t;
    }();
    return table;
}

}  // namespace

std::string titleForMessage(std::string_view name) {
    std::string_view shown = name;
    while (!shown.empty() && (shown.front() == ' ' || shown.front() == '\t')) shown.remove_prefix(1);
    while (!shown.empty() && (shown.back() == ' ' || shown.back() == '\t')) shown.remove_suffix(1);
    const bool plain = !shown.empty() && validUtf8Prefix(shown) == shown.size() &&
                       std::none_of(shown.begin(), shown.end(), [](char c) {
                           return static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '"';
                       });
    return plain ? std::string(shown) : quoteForMessage(name);
}

std::string_view outputColumnName(std::size_t column) {
    switch (column) {
        case kNotesColumn: return "notes";
        case kRequiredHoopColumn: return kRequiredHoopTitle;
        case kCheckColumn: return kCheckTitle;
        default: return sections::resultName(kResults[column]);
    }
}

std::string normalizeName(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto [cp, length] = codePointAt(utf8, i);
        if (cp == 0 && length == 1 && utf8[i] != '\0') {
            out += utf8[i];  // not UTF-8: kept as it is
        } else if (cp == ' ' || cp == '\t' || cp == '\r' || cp == '\n' || cp == 0x3000 || cp == 0xA0 || cp == 0xFEFF) {
            // a blank
        } else if (cp >= 0xFF01 && cp <= 0xFF5E) {
            char32_t ascii = cp - 0xFEE0;
            if (ascii >= 'A' && ascii <= 'Z') ascii += 'a' - 'A';
            out += static_cast<char>(ascii);
        } else if (cp >= 'A' && cp <= 'Z') {
            out += static_cast<char>(cp - 'A' + 'a');
        } else {
            appendUtf8(out, cp);
        }
        i += length;
    }
    return out;
}

namespace {

// A normalized name as code points, without a unit in brackets at its end.
std::u32string comparable(std::string_view utf8) {
    const std::string key = normalizeName(utf8);
    const std::string_view bare = withoutUnit(key);
    std::u32string out;
    for (std::size_t i = 0; i < bare.size();) {
        const auto [cp, length] = codePointAt(bare, i);
        out += cp == 0 ? static_cast<char32_t>(static_cast<unsigned char>(bare[i])) : cp;
        i += length;
    }
    return out;
}

// How many characters must be put in, taken out or changed to turn one text
// into the other (Levenshtein's distance).
std::size_t editDistance(std::u32string_view a, std::u32string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

int closestName(std::string_view title, std::span<const std::string> candidates) {
    const std::u32string typed = comparable(title);
    int best = -1;
    std::size_t bestDistance = 0;
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        const std::u32string name = comparable(candidates[c]);
        const std::size_t distance = editDistance(typed, name);
        // Close enough to be a slip: at most half the shorter name changed.
        if (2 * distance > std::min(typed.size(), name.size())) continue;
        if (best < 0 || distance < bestDistance) {
            best = static_cast<int>(c);
            bestDistance = distance;
        }
    }
    return best;
}

ColumnName nameColumn(std::string_view name) {
    const std::string key = normalizeName(name);
    const AliasTable& table = aliasTable();
    auto it = table.find(key);
    if (it == table.end()) it = table.find(withoutUnit(key));
    return it == table.end() ? ColumnName{} : it->second;
}

std::string headerName(Codec& codec, std::string_view cell) {
    std::string name = codec.startForShowing(cell, kLongestName);
    if (cell.size() > kLongestName) name += "…";
    return name;
}

std::vector<std::pair<std::string, std::string_view>> allAliases() {
    std::vector<std::pair<std::string, std::string_view>> all;
    for (const auto& [alias, name] : aliasPairs()) all.emplace_back(alias, name.field);
    return all;
}

std::string HeaderColumns::read(std::span<const std::string> names) {
    width_ = names.size();
    outputAt_.assign(width_, -1);
    const auto shapes = sections::allShapes();
    inputColumn_.assign(shapes.size(), {});
    for (auto& columns : inputColumn_) columns.fill(-1);
    unmatched_.clear();
    ownNotes_.clear();
    appended_.clear();
    titles_.clear();
    for (const std::string& name : names) titles_.push_back(titleForMessage(name));
    requirementColumn_.fill(-1);
    // Without a requirement, nothing is checked: columns titled like the
    // check's are then the user's own, carried through.
    checks_ = std::any_of(names.begin(), names.end(),
                          [](const std::string& name) { return nameColumn(name).kind == ColumnKind::Requirement; });
    bool haveShape = false;
    bool anyInput = false;
    bool inputByLabel = false;
    bool shapeByLabel = false;
    std::vector<std::pair<std::string_view, std::size_t>> seen;  // field, first column
    for (std::size_t j = 0; j < width_; ++j) {
        ColumnName column = nameColumn(names[j]);
        if (column.kind == ColumnKind::Output && column.output >= static_cast<int>(kOutputColumns) && !checks_) {
            column = {};
        }
        // Only "notes" or "计算说明" as the tool writes them is the tool's
        // notes column: a column the user named "Notes" holds texts of the
        // user's own.
        if (column.kind == ColumnKind::Output && column.output == static_cast<int>(kNotesColumn) &&
            names[j] != outputColumnName(kNotesColumn) && names[j] != kNotesTitle) {
            ownNotes_.push_back(names[j]);
            continue;
        }
        if (column.kind == ColumnKind::Other) {
            if (!normalizeName(names[j]).empty()) unmatched_.push_back(names[j]);
            continue;
        }
        for (const auto& [field, at] : seen) {
            if (field == column.field) {
                return fill(tr("the header names the column {1} twice ({2} and {3})"),
                            {column.field, quoteForMessage(names[at]), quoteForMessage(names[j])});
            }
        }
        seen.emplace_back(column.field, j);
        switch (column.kind) {
            case ColumnKind::Shape:
                shapeColumn_ = j;
                haveShape = true;
                shapeByLabel = column.byLabel;
                break;
            case ColumnKind::Output: outputAt_[j] = column.output; break;
            case ColumnKind::Requirement:
                requirementColumn_[static_cast<std::size_t>(column.output)] = static_cast<int>(j);
                break;
            case ColumnKind::Input:
                anyInput = true;
                inputByLabel = inputByLabel || column.byLabel;
                for (std::size_t s = 0; s < shapes.size(); ++s) {
                    const auto inputs = shapes[s]->inputs;
                    for (std::size_t i = 0; i < inputs.size() && i < kMaxInputs; ++i) {
                        if (inputs[i].name == column.field) inputColumn_[s][i] = static_cast<int>(j);
                    }
                }
                break;
            case ColumnKind::Other: break;
        }
    }
    if (!haveShape) return tr("the header has no \"shape\" column");
    labels_ = anyInput ? inputByLabel : shapeByLabel;
    for (std::size_t k = 0; k < outputCount(); ++k) {
        if (std::find(outputAt_.begin(), outputAt_.end(), static_cast<int>(k)) == outputAt_.end()) {
            appended_.push_back(static_cast<int>(k));
        }
    }
    return {};
}

std::string_view HeaderColumns::outputTitle(std::size_t k) const {
    for (std::size_t j = 0; j < width_; ++j) {
        if (outputAt_[j] == static_cast<int>(k)) return titles_[j];
    }
    if (!labels_ || k >= kOutputColumns) return outputColumnName(k);
    if (k == kNotesColumn) return kNotesTitle;
    // Every window writes its result labels alike.
    return layouts::fieldLabel(sections::allShapes().front()->windowName, sections::resultName(kResults[k]));
}

}  // namespace dravik::batch
