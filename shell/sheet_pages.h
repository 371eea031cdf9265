// The one page layout of every calculation sheet, printed or saved: A4
// portrait, the same margins, and a footer on every page with the page's
// number of the sheet's pages.
#pragma once

#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QPainter;
class QTextDocument;

namespace dravik::sheet {
struct CalculationSheet;
}

namespace dravik::shell {

// A4 portrait with the sheet's margins (left 18 mm, others 15 mm).
QPageLayout sheetPageLayout();

// Height of the footer band at the foot of the paint rectangle, in
// millimetres; the text lies in the rest.
inline constexpr double kFooterBandMm = 7.0;

// The height the text of a page may take on `device`, in its pixels.
double textHeightOn(const QPagedPaintDevice& device);

// Draws every page of `document` (laid out with textHeightOn) on `device`,
// each with its footer: the sheet's title and member on the left, "第 x 页
// 共 y 页" on the right. A new page is begun before each page when
// `newPageFirst`, and before every page but the first otherwise.
void drawSheetPages(const sheet::CalculationSheet& sheet, QTextDocument& document, QPagedPaintDevice& device,
                    QPainter& painter, bool newPageFirst = false);

// The same for any document, with `footerLeft` on the footer's left side.
void drawPagesWithFooter(QTextDocument& document, QPagedPaintDevice& device, QPainter& painter,
                         const QString& footerLeft, bool newPageFirst);

}  // namespace dravik::shell
