// song_characters OUTPUT_FILE
//
// Writes every character the windows can show, once each and in code point
// order, as UTF-8: the captions and tooltips of the five layouts, the window
// titles, the message box's texts, and the default texts, result texts and
// choice lists of every section. The Song face embedded in the program is cut
// down to these (see make_song_subset.py), so the list comes from the very
// tables the windows are built from and cannot fall behind them.
#include <cstdio>
#include <set>
#include <string>
#include <string_view>

#include "layouts/windows.h"
#include "sections/shapes.h"

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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: song_characters OUTPUT_FILE\n", stderr);
        return 2;
    }
    std::set<std::string> characters;
    for (std::string_view text : {layouts::kProgramTitle, layouts::kStartCaption, layouts::kAlreadyRunningMessage})
        addCharacters(characters, text);
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
        for (std::string_view text : shape->initialTexts) addCharacters(characters, text);
        for (const sections::InputSpec& input : shape->inputs) {
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
