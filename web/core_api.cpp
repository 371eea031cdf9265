// What the page asks of the core, as plain C functions that take and give
// UTF-8 strings (JSON where a text has parts). The page's script renders and
// routes events only: every text rule, formula, choice list, layout and the
// sheet's content come from here.
//
// Each answer lives in one buffer until the next call that answers, which is
// all a single-threaded page needs.
#include "web/exports.h"

#include <string>
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "layouts/windows.h"
#include "sections/calculation.h"
#include "sections/choice_lists.h"
#include "sections/shapes.h"
#include "sheet/calculation_sheet.h"
#include "sheet/sheet_html.h"
#include "sheet/sheet_texts.h"
#include "web/json_writer.h"

namespace {

using namespace dravik;

std::string answer;
std::vector<std::string> fieldTexts;

const char* give(std::string text) {
    answer = std::move(text);
    return answer.c_str();
}

constexpr std::string_view kKindNames[] = {"group", "label", "combo", "text", "button", "option", "picture"};
constexpr std::string_view kColourNames[] = {"", "red", "blue"};
constexpr std::string_view kPictureNames[] = {"",         "logo", "section_rectangle", "section_l", "section_flanged",
                                              "section_z"};
constexpr std::string_view kRoleNames[] = {"", "calculate", "back", "open", "end", "diagram", "disclaimer", "result"};

template <typename Enum, std::size_t N>
std::string_view nameOf(const std::string_view (&names)[N], Enum value) {
    return names[static_cast<std::size_t>(value)];
}

void writeControls(web::JsonWriter& json, const layouts::WindowLayout& layout) {
    json.key("controls").beginArray();
    for (const layouts::ControlRecord& c : layout.controls) {
        json.beginObject()
            .field("name", c.name)
            .field("kind", nameOf(kKindNames, c.kind))
            .field("container", c.container)
            .field("left", c.left)
            .field("top", c.top)
            .field("width", c.width)
            .field("height", c.height)
            .field("tab", c.tab)
            .field("caption", c.caption)
            .field("fontPixels", c.fontPixels == 0 ? layouts::kStandardFontPixels : c.fontPixels)
            .field("colour", nameOf(kColourNames, c.colour))
            .field("tooltip", c.tooltip)
            .field("role", nameOf(kRoleNames, c.role))
            .field("picture", nameOf(kPictureNames, c.picture))
            .field("buddy", c.buddy)
            .endObject();
    }
    json.endArray();
}

// A count list's items go to its fields in turn, as the window fills them;
// each field ends with the same items in the same order as a fixed list.
void writeInputs(web::JsonWriter& json, const sections::SectionShape& shape) {
    json.key("inputs").beginArray();
    for (const sections::InputField& input : shape.inputs) {
        json.beginObject().field("name", input.name).field("defaultText", input.defaultText).key("items").beginArray();
        for (const std::string& item : sections::choiceListItems(input.list)) json.value(item);
        json.endArray().endObject();
    }
    json.endArray();
    json.key("initialResults").beginObject();
    for (sections::Result r : sections::kAllResults)
        json.field(sections::resultName(r), shape.initialTexts[static_cast<std::size_t>(r)]);
    json.endObject();
}

const sections::SectionShape* calculatorShape(const char* window) {
    const sections::SectionShape* shape = sections::findShape(window);
    return shape != nullptr && shape->windowName == window ? shape : nullptr;
}

std::vector<std::string_view> currentTexts(const sections::SectionShape& shape) {
    fieldTexts.resize(shape.inputs.size());
    return {fieldTexts.begin(), fieldTexts.end()};
}

std::string readAsTooltip(std::string_view number) {
    std::string text(sheet::texts::kReadAsTooltip);
    const std::size_t at = text.find("%1");
    return text.replace(at, 2, number);
}

}  // namespace

extern "C" {

// The five windows: layout records, captions, inputs with their choice
// lists and defaults, and the texts every window shares.
DRAVIK_EXPORT const char* dravik_windows() {
    web::JsonWriter json;
    json.beginObject();
    json.field("programTitle", layouts::kProgramTitle);
    json.key("commands")
        .beginObject()
        .field("print", sheet::texts::kPrintCommand)
        .field("save", sheet::texts::kSaveCommand)
        .field("copy", sheet::texts::kCopyCommand)
        .endObject();
    json.key("shapeChoices").beginArray();
    for (const layouts::ShapeChoice& choice : layouts::kShapeChoices)
        json.beginObject().field("option", choice.option).field("window", choice.window).endObject();
    json.endArray();
    json.key("windows").beginArray();
    json.beginObject()
        .field("name", layouts::kStartWindow.windowName)
        .field("caption", layouts::kStartCaption)
        .field("width", layouts::kStartWindow.clientWidth)
        .field("height", layouts::kStartWindow.clientHeight);
    writeControls(json, layouts::kStartWindow);
    json.endObject();
    for (const sections::SectionShape* shape : sections::allShapes()) {
        const layouts::WindowLayout& layout = *layouts::calculatorLayout(shape->windowName);
        json.beginObject()
            .field("name", shape->windowName)
            .field("typeName", shape->typeName)
            .field("caption", shape->caption)
            .field("width", layout.clientWidth)
            .field("height", layout.clientHeight);
        writeControls(json, layout);
        writeInputs(json, *shape);
        json.endObject();
    }
    json.endArray().endObject();
    return give(json.take());
}

// The text of input `index` of the window the next call names.
DRAVIK_EXPORT void dravik_set_field(int index, const char* text) {
    if (index < 0 || index >= static_cast<int>(sections::kMaxInputs)) return;
    if (fieldTexts.size() <= static_cast<std::size_t>(index)) fieldTexts.resize(static_cast<std::size_t>(index) + 1);
    fieldTexts[static_cast<std::size_t>(index)] = text;
}

// One press of 计算 with the fields set: the result texts in the order the
// window writes them, and each field whose text is not wholly a number with
// the tooltip that says what was read from it.
DRAVIK_EXPORT const char* dravik_calculate(const char* window) {
    const sections::SectionShape* shape = calculatorShape(window);
    if (shape == nullptr) return give("null");
    const std::vector<std::string_view> texts = currentTexts(*shape);
    const sections::ResultTexts shown = sections::displayTexts(sections::calculateFromTexts(*shape, texts));
    web::JsonWriter json;
    json.beginObject().key("results").beginArray();
    for (sections::Result r : shape->writeOrder)
        json.beginObject().field("name", sections::resultName(r)).field("text", shown[r]).endObject();
    json.endArray().key("marks").beginArray();
    // As the desktop window: the sheet's input rows say which fields were
    // not wholly a number and what was read from them.
    for (const sheet::InputRow& row : sheet::makeSheet(*shape, texts, "", DRAVIK_VERSION).inputs) {
        if (row.notWhollyNumber)
            json.beginObject().field("name", row.name).field("tooltip", readAsTooltip(row.valueText)).endObject();
    }
    json.endArray().endObject();
    return give(json.take());
}

// The calculation sheet of the fields set, as HTML with the diagram image
// `diagram` shown `width` × `height` pixels.
DRAVIK_EXPORT const char* dravik_sheet_html(const char* window, const char* dateTime, const char* diagram, int width,
                                            int height) {
    const sections::SectionShape* shape = calculatorShape(window);
    if (shape == nullptr) return give("");
    const sheet::CalculationSheet sheet = sheet::makeSheet(*shape, currentTexts(*shape), dateTime, DRAVIK_VERSION);
    return give(sheet::sheetHtml(sheet, {diagram, width, height}));
}

// The sheet's title, for the printed document's name.
DRAVIK_EXPORT const char* dravik_sheet_title(const char* window) {
    const sections::SectionShape* shape = calculatorShape(window);
    if (shape == nullptr) return give("");
    return give(sheet::makeSheet(*shape, currentTexts(*shape), "", DRAVIK_VERSION).title);
}

// 复制计算结果: the two rows the clipboard gets.
DRAVIK_EXPORT const char* dravik_copy_rows(const char* window) {
    const sections::SectionShape* shape = calculatorShape(window);
    if (shape == nullptr) return give("");
    return give(sheet::tabSeparatedRows(sheet::makeSheet(*shape, currentTexts(*shape), "", DRAVIK_VERSION)));
}

}  // extern "C"
