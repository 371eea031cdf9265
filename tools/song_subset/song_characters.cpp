// song_characters OUTPUT_FILE
//
// Writes every character the windows can show, once each and in code point
// order, as UTF-8: the captions and tooltips of the five layouts, the window
// titles, the message box's texts, and the default texts, result texts and
// choice lists of every section; every text a calculation sheet can show
// (its fixed texts, and the sheets of every shape at its defaults and with
// inputs that give each kind of note and explanation, with the characters
// that write a control character visibly); and the few texts of
// Qt's own that the windows show, in Qt's Chinese translation. The Song face embedded in the program is cut
// down to these (see make_song_subset.py), so the list comes from the very
// tables the windows are built from and cannot fall behind them.
#include <cstdio>
#include <set>
#include <string>
#include <string_view>

#include <vector>

#include "book/book_texts.h"
#include "layouts/windows.h"
#include "review/design_check.h"
#include "review/review_texts.h"
#include "review/title_block.h"
#include "sections/shapes.h"
#include "sheet/calculation_sheet.h"
#include "sheet/sheet_texts.h"
#include "text_rules/visible_text.h"

namespace {

using namespace dravik;

// The UTF-8 sequences of `text`, one per character.
void addCharacters(std::set<std::string>& characters, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : 2;
        characters.emplace(text.substr(i, length));
        i += length;
    }
}

void addLayout(std::set<std::string>& characters, const layouts::WindowLayout& layout) {
    for (const layouts::ControlRecord& control : layout.controls) {
        addCharacters(characters, control.caption);
        addCharacters(characters, control.tooltip);
    }
}

// Qt's own texts that the windows show (the message box's button, an input
// field's edit menu), as Qt's Simplified Chinese translation words them.
constexpr std::string_view kQtTexts[] = {"确定",     "撤消(&U)", "重做(&R)", "剪切(&T)",
                                         "复制(&C)", "粘贴(&P)", "删除",     "全选"};

void addSheet(std::set<std::string>& characters, const sheet::CalculationSheet& s) {
    for (std::string_view text : {std::string_view(s.title), std::string_view(s.windowCaption),
                                  std::string_view(s.programLine), std::string_view(s.disclaimer)})
        addCharacters(characters, text);
    for (const sheet::InputRow& row : s.inputs) {
        for (const std::string& text : {row.label, row.symbol, row.fieldText, row.valueText, row.unit})
            addCharacters(characters, text);
    }
    for (const sheet::Figure& figure : s.figures) {
        addCharacters(characters, figure.label);
        addCharacters(characters, figure.explanation);
        addCharacters(characters, figure.shownText);
        for (const sheet::Step& step : figure.steps) {
            for (const std::string& text :
                 {step.name, step.symbol, step.inSymbols(), step.withValues(), step.valueText, step.unit})
                addCharacters(characters, text);
        }
    }
}

// The sheets of `shape` at its defaults and with inputs that give a marked
// input, a zero divisor, an overflow and an input beyond the double range.
void addSheets(std::set<std::string>& characters, const sections::SectionShape& shape) {
    for (int variant = 0; variant < 5; ++variant) {
        std::vector<std::string> fields;
        for (const sections::InputField& input : shape.inputs) fields.emplace_back(input.defaultText);
        if (variant == 1) fields[0] = "12mm";
        if (variant == 2) fields[0] = fields[1] = "";
        if (variant == 3) fields[0] = fields[1] = fields[2] = fields[3] = "1e300";
        if (variant == 4) fields[4] = "1e999";
        const std::vector<std::string_view> views(fields.begin(), fields.end());
        addSheet(characters, sheet::makeSheet(shape, views, "2026-12-08 09:00", "1.2.0"));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: song_characters OUTPUT_FILE\n", stderr);
        return 2;
    }
    std::set<std::string> characters;
    for (std::string_view text : {layouts::kProgramTitle, layouts::kStartCaption, layouts::kAlreadyRunningMessage})
        addCharacters(characters, text);
    for (std::string_view text : kQtTexts) addCharacters(characters, text);
    for (std::string_view text : sheet::texts::kAll) addCharacters(characters, text);
    addCharacters(characters, text_rules::kVisibleFormCharacters);
    // The title block's labels and the check's texts, names and digits.
    for (std::string_view text : review::texts::kAll) addCharacters(characters, text);
    for (std::string_view text : book::texts::kAll) addCharacters(characters, text);
    for (const review::TitleField& field : review::titleFields()) addCharacters(characters, field.label);
    for (const review::ConcreteGrade& grade : review::concreteGrades()) addCharacters(characters, grade.name);
    for (const review::HoopSteel& steel : review::hoopSteels()) addCharacters(characters, steel.name);
    addCharacters(characters, "0123456789.[]·-—：；");
    addLayout(characters, layouts::kStartWindow);
    for (const sections::SectionShape* shape : sections::allShapes()) {
        if (const layouts::WindowLayout* layout = layouts::calculatorLayout(shape->windowName)) {
            addLayout(characters, *layout);
        } else {
            std::fprintf(stderr, "song_characters: no layout for %.*s\n", int(shape->windowName.size()),
                         shape->windowName.data());
            return 1;
        }
        addCharacters(characters, shape->caption);
        addSheets(characters, *shape);
        for (std::string_view text : shape->initialTexts) addCharacters(characters, text);
        for (const sections::InputField& input : shape->inputs) {
            addCharacters(characters, input.defaultText);
            for (const std::string& item : sections::choiceListItems(input.list)) addCharacters(characters, item);
        }
    }

    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "song_characters: cannot write %s\n", argv[1]);
        return 1;
    }
    bool written = true;
    for (const std::string& character : characters) written = written && std::fputs(character.c_str(), out) >= 0;
    written = std::fclose(out) == 0 && written;
    return written ? 0 : 1;
}
