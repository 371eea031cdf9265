// The calculation sheet on paper: laid out as a text document in the Song
// face, the section diagram drawn by its own drawing code at the resolution
// of the page, written to a PDF file or sent to a printer.
#pragma once

#include <QString>
#include <memory>

#include "sheet/calculation_sheet.h"

class QPagedPaintDevice;
class QPrinter;
class QTextDocument;

namespace dravik::shell {

// The sheet as a text document laid out for `device`'s page (its paint
// rectangle, in its device pixels).
std::unique_ptr<QTextDocument> sheetDocument(const sheet::CalculationSheet& sheet, QPagedPaintDevice& device);

// Writes the sheet as an A4 PDF file with its fonts embedded, through
// saveChecked (checked_save.h): a failure leaves an earlier file exactly as
// it was. Returns an explanation for the user when it cannot, empty on
// success.
QString writeSheetPdf(const sheet::CalculationSheet& sheet, const QString& path);

// Prints the sheet on `printer`, whose page the user has chosen (A4
// portrait unless changed). False if the printer could not start.
bool printSheet(const sheet::CalculationSheet& sheet, QPrinter& printer);

}  // namespace dravik::shell
