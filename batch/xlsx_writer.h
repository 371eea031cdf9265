// Writing workbooks with libxlsxwriter: the batch's result CSV as a sheet,
// and the template of a shape.
//
// The result sheet holds the cells' values only (the input's formatting is
// not carried over): cells that were numbers in the input sheet are numbers,
// every other input cell a text; each result a number with the format "0"
// or "0.00" whose value is the display text's number, or empty (a "—", whose
// reason the notes give); the header row bold and frozen.
#pragma once

#include <string>
#include <string_view>

#include "batch/byte_stream.h"
#include "batch/text_encoding.h"
#include "batch/xlsx_reader.h"
#include "sections/section_shape.h"

namespace dravik::batch {

// Writes the result CSV `csv` (in `encoding`) to a workbook at `path`;
// `input`, when the input was a workbook, tells which input cells were
// numbers. False with `error` set.
bool writeResultWorkbook(ByteSource& csv, Encoding encoding, Workbook* input, const std::string& path,
                         std::string& error);

// The template as a workbook: the header of labels (short names with
// `shortNames`) and one row, `shapeName` and the default numbers.
bool writeTemplateWorkbook(const sections::SectionShape& shape, std::string_view shapeName, bool shortNames,
                           const std::string& path, std::string& error);

}  // namespace dravik::batch
