// Writes the end-to-end files of one building, each saved the ways a
// spreadsheet saves CSV, with the output dravik-batch must give for each,
// byte for byte:
//
//   building_fixtures DIR
//
// writes DIR/NAME.csv and DIR/NAME.expected.csv for every variant,
// DIR/NAME.status with the exit status, DIR/NAME.args with the options and
// DIR/NAME.messages with texts its standard error must hold, one a line. The
// building is 64 boundary columns of all four shapes, a few cells the way
// engineers type them ("1,000", "400mm": those rows get no results) and one
// section with a zero side; or 50 columns whose lengths are saved in a
// thousands format ("1,200"); or a header with two titles misspelt. The
// expected results come from the core (the texts the window shows); the notes
// are written here in the tool's English wording and the header's own titles,
// so the two are checked against each other.
#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "batch/csv.h"
#include "batch/header_columns.h"
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

std::vector<std::string> allInputNames() {
    std::vector<std::string> names;
    for (const auto* shape : sections::allShapes()) {
        for (const auto& input : shape->inputs) {
            if (std::find(names.begin(), names.end(), input.name) == names.end()) names.emplace_back(input.name);
        }
    }
    return names;
}

// The inputs a misspelt header names wrongly, with the titles it gives them.
const std::map<std::string, std::string> kMisspelt = {{"zj1sl", "纵筋1根数"}, {"bhhd", "保护层厚度（mm）"}};

// The header's title of each input: short names, or the window's labels in
// the forms people type.
std::map<std::string, std::string> inputTitles(bool labels, bool misspelt) {
    std::map<std::string, std::string> titles;
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
            if (misspelt && kMisspelt.contains(name)) title = kMisspelt.at(name);
        }
        titles[name] = title;
    }
    return titles;
}

// The titles of the columns the tool appends: the windows' result labels and
// "计算说明" beside labels, the short names beside short names.
std::vector<std::string> resultTitles(bool labels) {
    std::vector<std::string> titles;
    for (std::size_t k = 0; k < batch::kOutputColumns; ++k) {
        const std::string_view name = batch::outputColumnName(k);
        titles.emplace_back(!labels                    ? name
                            : k == batch::kNotesColumn ? batch::kNotesTitle
                                                       : layouts::fieldLabel("azpjl", name));
    }
    return titles;
}

std::string headerLine(const std::map<std::string, std::string>& titles, bool labels) {
    std::string line = labels ? "形状" : "shape";
    for (const std::string& name : allInputNames()) line += "," + titles.at(name);
    return line + ",备注";
}

// "1200" as a thousands format writes it: "1,200".
std::string withThousands(std::string digits) {
    for (std::size_t k = digits.size(); k > 3; k -= 3) digits.insert(k - 3, ",");
    return digits;
}

struct Sheet {
    int rows = 64;
    bool labels = false;
    bool chineseShapes = false;
    bool typed = true;       // a few cells typed as engineers type them, one zero side
    bool thousands = false;  // lengths of 1000 mm and more saved as "1,200"
    bool misspelt = false;   // two input titles misspelt; the tool runs with --defaults
};

bool isLength(const std::string& name) { return name.size() == 1; }

std::vector<Line> building(const Sheet& sheet) {
    const auto names = allInputNames();
    const auto titles = inputTitles(sheet.labels, sheet.misspelt);
    const auto outputTitles = resultTitles(sheet.labels);
    std::vector<Line> lines;
    std::uint32_t state = 20261208;
    auto next = [&state] { return state = state * 1103515245u + 12345u, (state >> 16) & 0x7FFF; };
    for (int row = 0; row < sheet.rows; ++row) {
        const auto& shape = *sections::allShapes()[static_cast<std::size_t>(row) % 4];
        std::string line = std::string(sheet.chineseShapes && row % 2 ? shape.typeName : shape.windowName);
        std::map<std::string, std::string> cells;
        std::vector<std::string> texts;  // in the shape's input order
        std::string notes;
        auto note = [&notes](const std::string& n) { notes += (notes.empty() ? "" : "; ") + n; };
        bool unsound = false;
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
                if (sheet.typed && name == "a" && row % 10 == 3) cell = "1,000";
                if (sheet.typed && name == "b" && row % 15 == 7) cell = "800mm";
                if (sheet.typed && name == "b" && row == 41) cell = "0";
                if (sheet.thousands && isLength(name) && cell.size() > 3) cell = withThousands(cell);
                if (cell.find(',') != std::string::npos) {
                    note(titles.at(name) + " \"" + cell +
                         "\" has a thousands separator: remove the thousands format from the column in the "
                         "spreadsheet and save the CSV again");
                    unsound = true;
                } else if (cell.find_first_not_of("0123456789.") != std::string::npos) {
                    note(titles.at(name) + " \"" + cell + "\" is not wholly a number");
                    unsound = true;
                }
                cells[name] = cell;
            }
            line += "," + csvCell(cell);
        }
        line += row % 5 == 0 ? ",复核" : ",";
        if (unsound) {
            lines.push_back({line, ",,,," + csvCell(notes)});
            continue;
        }
        std::string defaults;
        for (const auto& input : shape.inputs) {
            const std::string name(input.name);
            if (sheet.misspelt && kMisspelt.contains(name)) {
                texts.emplace_back(input.defaultText);
                defaults += (defaults.empty() ? "" : ", ") + std::string(layouts::fieldLabel(shape.windowName, name)) +
                            " " + std::string(input.defaultText);
            } else {
                texts.push_back(cells[name]);
            }
        }
        if (!defaults.empty()) note("no column, default taken: " + defaults);
        std::vector<std::string_view> views(texts.begin(), texts.end());
        const auto results = sections::displayTexts(sections::calculateFromTexts(shape, views));
        std::string dashes, zeros;
        for (std::size_t k = 0; k < batch::kResults.size(); ++k) {
            if (results[batch::kResults[k]] == text_rules::kNotANumber)
                dashes += (dashes.empty() ? "" : ", ") + outputTitles[k];
        }
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (text_rules::readNumber(texts[i]) == 0.0)
                zeros += (zeros.empty() ? "" : ", ") + titles.at(std::string(shape.inputs[i].name));
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
    Sheet sheet = {};
    bool titles = false;
    bool trailingComma = false;
    std::string badRow = {};  // bytes of a row not valid in the file's encoding
    bool refused = false;     // a misspelt header without --defaults: nothing written, status 2
};

void write(const std::string& dir, const Variant& v) {
    std::vector<Line> lines = building(v.sheet);
    std::string appended;
    for (const std::string& title : resultTitles(v.sheet.labels)) appended += "," + title;
    lines.insert(lines.begin(),
                 Line{headerLine(inputTitles(v.sheet.labels, v.sheet.misspelt), v.sheet.labels), appended});
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
    bool anyFailed = !v.badRow.empty();
    for (const Line& line : lines) anyFailed = anyFailed || line.outputs.starts_with(",,,,\"");
    std::string messages;
    if (v.sheet.misspelt) {
        const auto& shape = *sections::allShapes().front();
        const std::string zj1sl(layouts::fieldLabel(shape.windowName, "zj1sl"));
        const std::string bhhd(layouts::fieldLabel(shape.windowName, "bhhd"));
        messages = v.refused ? "the header has no column for " + zj1sl + ", " + bhhd + ": nothing calculated\n" +
                                   "the column " + kMisspelt.at("zj1sl") + " is probably meant for " + zj1sl + "\n" +
                                   "the column " + kMisspelt.at("bhhd") + " is probably meant for " + bhhd + "\n"
                             : "rows of " + std::string(shape.windowName) + ": no column, default taken: " + zj1sl +
                                   " " + std::string(shape.inputs[4].defaultText) + ", " + bhhd + "\n";
    }
    std::ofstream(dir + "/" + v.name + ".csv", std::ios::binary) << input;
    std::ofstream(dir + "/" + v.name + ".expected.csv", std::ios::binary) << (v.refused ? std::string() : expected);
    std::ofstream(dir + "/" + v.name + ".status") << (v.refused ? 2 : anyFailed ? 1 : 0) << "\n";
    std::ofstream(dir + "/" + v.name + ".args") << (v.sheet.misspelt && !v.refused ? "--defaults" : "") << "\n";
    std::ofstream(dir + "/" + v.name + ".messages") << messages;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: building_fixtures DIR\n", stderr);
        return 2;
    }
    const std::string dir = argv[1];
    const std::string badUtf8 = "azpjl,\xFF\xFE" + std::string(allInputNames().size(), ',');
    const Sheet chinese{.chineseShapes = true};
    const Sheet labels{.labels = true, .chineseShapes = true};
    const Sheet thousands{.rows = 50, .labels = true, .chineseShapes = true, .typed = false, .thousands = true};
    const Sheet misspelt{.labels = true, .chineseShapes = true, .typed = false, .misspelt = true};
    const Variant variants[] = {
        {.name = "plain"},
        {.name = "bom_crlf", .bom = true, .lineEnd = "\r\n"},
        {.name = "gb18030", .lineEnd = "\r\n", .gb18030 = true, .sheet = chinese},
        {.name = "labels", .bom = true, .lineEnd = "\r\n", .sheet = labels},
        {.name = "gb18030_labels", .gb18030 = true, .sheet = labels},
        {.name = "titles_and_empty_rows", .titles = true},
        {.name = "trailing_comma", .lineEnd = "\r\n", .trailingComma = true},
        {.name = "cr_only", .lineEnd = "\r"},
        {.name = "bad_gb18030",
         .gb18030 = true,
         .sheet = chinese,
         .badRow = "暗柱,BADROW" + std::string(allInputNames().size(), ',')},
        {.name = "bad_utf8", .bom = true, .sheet = chinese, .badRow = badUtf8},
        {.name = "thousands_format", .bom = true, .lineEnd = "\r\n", .sheet = thousands},
        {.name = "thousands_format_gb18030", .lineEnd = "\r\n", .gb18030 = true, .sheet = thousands},
        {.name = "misspelt_header", .bom = true, .lineEnd = "\r\n", .sheet = misspelt, .refused = true},
        {.name = "misspelt_header_gb18030", .lineEnd = "\r\n", .gb18030 = true, .sheet = misspelt, .refused = true},
        {.name = "misspelt_header_defaults", .bom = true, .lineEnd = "\r\n", .sheet = misspelt},
        {.name = "misspelt_header_defaults_gb18030", .lineEnd = "\r\n", .gb18030 = true, .sheet = misspelt},
    };
    for (const Variant& v : variants) write(dir, v);
    return 0;
}
