// The calculation sheet as HTML for a page: title, diagram beside the
// results, the inputs in two columns, the steps one line each, the
// disclaimer. Qt-free; a front end lays it out and draws the diagram.
#pragma once

#include <string>

#include "sheet/calculation_sheet.h"

namespace dravik::sheet {

// The diagram as the page shows it: the image's name in the document that
// holds the HTML, and its size there in pixels of 96 per inch. An empty
// name leaves the diagram's place empty.
struct DiagramImage {
    std::string source;
    int width = 0;
    int height = 0;
};

// The sheet's content in UTF-8 HTML, every text of the sheet escaped. One A4
// page for every shape's defaults at 9 pt.
std::string sheetHtml(const CalculationSheet& sheet, const DiagramImage& diagram);

}  // namespace dravik::sheet
