// Writes the end-to-end files of one building, each saved the ways a
// spreadsheet saves CSV, with the output dravik-batch must give for each,
// byte for byte:
//
//   building_fixtures DIR
//
// writes DIR/NAME.csv and DIR/NAME.expected.csv for every variant, and
// DIR/NAME.status with the exit status. The building is 64 boundary columns
// of all four shapes, a few cells the way engineers type them ("1,000",
// "400mm") and one section with a zero side. The expected results come from
// the core (the texts the window shows); the notes are written here in the
// tool's English wording, so the two are checked against each other.
#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "batch/csv.h"
#include "layouts/windows.h"
#include "sections/calculation.h"
#include "sections/shapes.h"
#include "text_rules/text_rules.h"

namespace {

using namespace dravik;

struct Line {
    std::string input;    // the record as the file holds it
    std::string outputs;  // what the tool adds or puts in place: ",zjmj,zjl,tjpgl,notes"; empty for a row kept as read
};

std::string csvCell(std::string_view text) {
    std::string out;
    batch::CsvWriter::appendCell(out, text);
    return out;
}

std::string shown(double x) {
    std::string s = text_rules::formatNumber(x);
    return s.starts_with(' ') ? s.substr(1) : s;
}

std::vector<std::string> allInputNames() {
    std::vector<std::string> names;
    for (const auto* shape : sections::allShapes()) {
        for (const auto& input : shape->inputs) {
            if (std::find(names.begin(), names.end(), input.name) == names.end()) names.emplace_back(input.name);
        }
    }
    return names;
}

// The header: short names, or the window's labels in the forms people type.
std::string headerLine(bool labels) {
    std::string line = labels ? "形状" : "shape";
    int k = 0;
    for (const std::string& name : allInputNames()) {
        std::string title = name;
        if (labels) {
            for (const auto* shape : sections::allShapes()) {
                const std::string_view label = layouts::fieldLabel(shape->windowName, name);
                if (label.empty()) continue;
                title = std::string(label);
                break;
            }
            const std::size_t open = title.find("（");
            if (k % 3 == 1) title.resize(open);  // without the unit
            if (k % 3 == 2) title = title.substr(0, open) + "(" + title.substr(open + 3, title.size() - open - 6) + ")";
            ++k;
        }
        line += "," + title;
    }
    return line + ",备注";
}

std::vector<Line> building(bool chineseShapeNames) {
    const auto names = allInputNames();
    std::vector<Line> lines;
    std::uint32_t state = 20261208;
    auto next = [&state] { return state = state * 1103515245u + 12345u, (state >> 16) & 0x7FFF; };
    for (int row = 0; row < 64; ++row) {
        const auto& shape = *sections::allShapes()[static_cast<std::size_t>(row) % 4];
        std::string line = std::string(chineseShapeNames && row % 2 ? shape.typeName : shape.windowName);
        std::map<std::string, std::string> cells;
        std::vector<std::string> texts;  // in the shape's input order
        std::string notes;
        auto note = [&notes](const std::string& n) { notes += (notes.empty() ? "" : "; ") + n; };
        for (const std::string& name : names) {
            const sections::InputField* input = nullptr;
            for (const auto& in : shape.inputs) {
                if (in.name == name) input = &in;
            }
            std::string cell;
            if (input != nullptr) {
                const auto items = sections::choiceListItems(input->list);
                cell = items[next() % items.size()];
                if (cell.starts_with(' ')) cell.erase(0, 1);
                if (name == "a" && row % 10 == 3) cell = "1,000";  // a thousands separator
                if (name == "b" && row % 15 == 7) cell = "800mm";
                if (name == "b" && row == 41) cell = "0";
                if (cell.find_first_not_of("0123456789.") != std::string::npos) {
                    note(name + " \"" + cell + "\" read as " + shown(text_rules::readNumber(cell)));
                }
                cells[name] = cell;
            }
            line += "," + csvCell(cell);
        }
        for (const auto& input : shape.inputs) texts.push_back(cells[std::string(input.name)]);
        line += row % 5 == 0 ? ",复核" : ",";
        std::vector<std::string_view> views(texts.begin(), texts.end());
        const auto results = sections::displayTexts(sections::calculateFromTexts(shape, views));
        std::string dashes, zeros;
        for (auto r : {sections::Result::SteelArea, sections::Result::LongitudinalRatio, sections::Result::HoopRatio}) {
            if (results[r] == text_rules::kNotANumber)
                dashes += (dashes.empty() ? "" : ", ") + std::string(sections::resultName(r));
        }
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (text_rules::readNumber(texts[i]) == 0.0)
                zeros += (zeros.empty() ? "" : ", ") + std::string(shape.inputs[i].name);
        }
        if (!dashes.empty())
            note(dashes + " is \u2014: a zero divisor or an overflow" +
                 (zeros.empty() ? "" : " (read as 0: " + zeros + ")"));
        lines.push_back({line, "," + results.steelArea + "," + results.longitudinalRatio + "," + results.hoopRatio +
                                   "," + csvCell(notes)});
    }
    return lines;
}

std::string toGb18030(const std::string& utf8) {
    iconv_t cd = iconv_open("GB18030", "UTF-8");
    std::string out(utf8.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    if (iconv(cd, &in, &inLeft, &to, &toLeft) == static_cast<std::size_t>(-1)) std::perror("iconv");
    iconv_close(cd);
    out.resize(out.size() - toLeft);
    return out;
}

struct Variant {
    const char* name;
    bool bom = false;
    std::string lineEnd = "\n";
    bool gb18030 = false;
    bool labels = false;
    bool chineseShapes = false;
    bool titles = false;
    bool trailingComma = false;
    std::string badRow = {};  // bytes of a row not valid in the file's encoding
};

void write(const std::string& dir, const Variant& v) {
    std::vector<Line> lines = building(v.chineseShapes);
    lines.insert(lines.begin(), Line{headerLine(v.labels), ",zjmj,zjl,tjpgl,notes"});
    if (v.titles) {
        lines.insert(lines.begin(), Line{"某工程3号楼 剪力墙边缘构件,,,", ""});
        const std::string empty(allInputNames().size() + 1, ',');
        lines.push_back({empty, ""});
        lines.push_back({empty, ""});
    }
    if (!v.badRow.empty()) lines.insert(lines.begin() + 10, Line{v.badRow, ""});
    std::string input = v.bom ? "\xEF\xBB\xBF" : "";
    std::string expected = input;
    for (const Line& line : lines) {
        const std::string cells = line.input + (v.trailingComma ? "," : "");
        input += cells + v.lineEnd;
        expected += cells + line.outputs + v.lineEnd;
    }
    if (v.gb18030) {
        input = toGb18030(input);
        expected = toGb18030(expected);
        if (!v.badRow.empty()) {  // bytes no conversion would make: put in after it
            for (std::string* text : {&input, &expected}) text->replace(text->find("BADROW"), 6, "\x81\x20\xFF");
        }
    }
    std::ofstream(dir + "/" + v.name + ".csv", std::ios::binary) << input;
    std::ofstream(dir + "/" + v.name + ".expected.csv", std::ios::binary) << expected;
    std::ofstream(dir + "/" + v.name + ".status") << (v.badRow.empty() ? 0 : 1) << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: building_fixtures DIR\n", stderr);
        return 2;
    }
    const std::string dir = argv[1];
    const std::string badUtf8 = "azpjl,\xFF\xFE" + std::string(allInputNames().size(), ',');
    const Variant variants[] = {
        {.name = "plain"},
        {.name = "bom_crlf", .bom = true, .lineEnd = "\r\n"},
        {.name = "gb18030", .lineEnd = "\r\n", .gb18030 = true, .chineseShapes = true},
        {.name = "labels", .bom = true, .lineEnd = "\r\n", .labels = true, .chineseShapes = true},
        {.name = "gb18030_labels", .gb18030 = true, .labels = true, .chineseShapes = true},
        {.name = "titles_and_empty_rows", .titles = true},
        {.name = "trailing_comma", .lineEnd = "\r\n", .trailingComma = true},
        {.name = "cr_only", .lineEnd = "\r"},
        {.name = "bad_gb18030",
         .gb18030 = true,
         .chineseShapes = true,
         .badRow = "暗柱,BADROW" + std::string(allInputNames().size(), ',')},
        {.name = "bad_utf8", .bom = true, .chineseShapes = true, .badRow = badUtf8},
    };
    for (const Variant& v : variants) write(dir, v);
    return 0;
}
