#include "shell/sheet_document.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>

#include "pictures/drawings.h"
#include "sheet/sheet_html.h"
#include "sheet/sheet_review.h"
#include "sheet/sheet_texts.h"
#include "shell/appearance.h"
#include "shell/checked_save.h"
#include "shell/qt_text.h"
#include "shell/sheet_pages.h"

namespace dravik::shell {

namespace texts = sheet::texts;

namespace {

// The inputs the diagram's letters name (a … f), with their values.
QHash<QString, QString> dimensionValues(const sheet::CalculationSheet& sheet) {
    QHash<QString, QString> values;
    for (const sheet::InputRow& row : sheet.inputs) {
        if (row.symbol.size() == 1 && row.symbol[0] >= 'a' && row.symbol[0] <= 'f')
            values.insert(qs(row.symbol), qs(row.valueText));
    }
    return values;
}

// The section diagram of `which` drawn by its own drawing code, scaled from
// the picture's pixels to `height` device pixels: sharp at the page's
// resolution rather than the window's 96 dpi picture stretched.
// Each dimension is labelled with its value (a = 400); a margin of
// kDiagramMargin picture pixels around it keeps the longer labels whole.
QImage drawnDiagram(const sheet::CalculationSheet& sheet, int height) {
    const pictures::Drawing* drawing = pictures::drawingOf(sheet.diagram);
    if (drawing == nullptr) return {};
    constexpr int kDiagramMargin = 10;
    const QSize size = drawing->size + QSize(2 * kDiagramMargin, 2 * kDiagramMargin);
    const double scale = double(height) / size.height();
    QImage image(qRound(size.width() * scale), height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(scale, scale);
    painter.translate(kDiagramMargin, kDiagramMargin);
    const pictures::DimensionValues values(dimensionValues(sheet));
    drawing->paint(painter);
    painter.end();
    return image;
}

// Drawn at no more than this resolution: finer than any printer shows a
// one-pixel line of the picture, and the image stays a few megabytes.
constexpr int kMaxDiagramDpi = 600;

// Height of the diagram on the page, millimetres.
constexpr double kDiagramHeightMm = 42.0;
// With a title block and a check: smaller, so that the sheet keeps to a page.
constexpr double kReviewedDiagramHeightMm = 30.0;

// The Song face at a size given in points, for the page.
QFont pageFont(double points) {
    QFont font = songFont(12);
    font.setPointSizeF(points);
    return font;
}

}  // namespace

std::unique_ptr<QTextDocument> sheetDocument(const sheet::CalculationSheet& sheet, QPagedPaintDevice& device) {
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&device);
    document->setDefaultFont(pageFont(9));
    document->setDocumentMargin(0);
    document->setPageSize(QSizeF(device.width(), textHeightOn(device)));
    document->setDefaultStyleSheet(QStringLiteral(
        "h2 { font-size: 15pt; margin-bottom: 2px; } h3 { font-size: 10pt; margin-top: 8px; margin-bottom: 3px; }"
        "p { margin-top: 0px; margin-bottom: 0px; } p.step { margin-left: 12px; margin-top: 1px; }"
        "p.tight { margin-left: 12px; margin-top: 0px; } p.disclaimer { margin-top: 10px; }"));

    // The diagram at the page's resolution, shown at its size on the page.
    const double dpi = device.logicalDpiY();
    // The size an image is shown at is given in pixels of 96 per inch; the
    // layout scales it to the device.
    const double heightMm = sheet::isReviewed(sheet) ? kReviewedDiagramHeightMm : kDiagramHeightMm;
    const int shownHeight = qRound(heightMm * 96 / 25.4);
    const int drawnHeight = qRound(heightMm * std::min<double>(dpi, kMaxDiagramDpi) / 25.4);
    const QImage diagram = drawnDiagram(sheet, drawnHeight);
    sheet::DiagramImage image;
    if (!diagram.isNull()) {
        const QUrl name(QStringLiteral("dravik-sheet:diagram"));
        document->addResource(QTextDocument::ImageResource, name, diagram);
        image = {name.toString().toStdString(), qRound(double(diagram.width()) * shownHeight / diagram.height()),
                 shownHeight};
    }
    document->setHtml(qs(sheet::sheetHtml(sheet, image)));
    return document;
}

QString writeSheetPdf(const sheet::CalculationSheet& sheet, const QString& path) {
    return saveChecked(path, [&sheet](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setPageLayout(sheetPageLayout());
        writer.setResolution(600);
        writer.setTitle(qs(sheet.title));
        writer.setCreator(qs(sheet.programLine));
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        auto document = sheetDocument(sheet, writer);
        drawSheetPages(sheet, *document, writer, painter);
        return painter.end();
    });
}

bool printSheet(const sheet::CalculationSheet& sheet, QPrinter& printer) {
    printer.setDocName(qs(sheet.title));
    // The margins of the saved file, whatever the printer's default.
    printer.setPageMargins(sheetPageLayout().margins(), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    auto document = sheetDocument(sheet, printer);
    drawSheetPages(sheet, *document, printer, painter);
    painter.end();
    return true;
}

}  // namespace dravik::shell
