#include "shell/sheet_document.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>

#include "pictures/drawings.h"
#include "sheet/sheet_texts.h"
#include "shell/appearance.h"
#include "shell/qt_text.h"

namespace dravik::shell {

namespace texts = sheet::texts;

namespace {

// The section diagram of `which` drawn by its own drawing code, scaled from
// the picture's pixels to `height` device pixels: sharp at the page's
// resolution rather than the window's 96 dpi picture stretched.
QImage drawnDiagram(layouts::StoredPicture which, int height) {
    const pictures::Drawing* drawing = pictures::drawingOf(which);
    if (drawing == nullptr) return {};
    const QSize size = drawing->size;
    const double scale = double(height) / size.height();
    QImage image(qRound(size.width() * scale), height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(scale, scale);
    drawing->paint(painter);
    painter.end();
    return image;
}

// Drawn at no more than this resolution: finer than any printer shows a
// one-pixel line of the picture, and the image stays a few megabytes.
constexpr int kMaxDiagramDpi = 600;

// Height of the diagram on the page, millimetres.
constexpr double kDiagramHeightMm = 42.0;
constexpr QChar kMark = QChar(0x203B);  // ※

QString esc(std::string_view utf8) { return qs(utf8).toHtmlEscaped(); }

QString cell(const QString& html, const QString& attributes = {}) {
    return QStringLiteral("<td%1>%2</td>").arg(attributes.isEmpty() ? QString() : QLatin1Char(' ') + attributes, html);
}

QString stepLine(const sheet::Step& step) {
    return QStringLiteral("%1　%2 = %3 = %4 = %5 %6")
        .arg(esc(step.name), esc(step.symbol), esc(step.inSymbols()), esc(step.withValues()), esc(step.valueText),
             esc(step.unit));
}

// Title, diagram beside the results, the inputs in two columns, the steps
// one line each, the disclaimer: one A4 page for every shape's defaults.
QString sheetHtml(const sheet::CalculationSheet& s, const QString& diagramHtml) {
    QString h;
    h += QStringLiteral("<h2 align=\"center\">%1</h2>").arg(esc(s.title));
    h += QStringLiteral("<p align=\"center\">%1<br/>%2　%3</p>")
             .arg(esc(s.windowCaption), esc(s.dateTime), esc(s.programLine));

    h += QStringLiteral("<h3>%1</h3>").arg(qs(texts::kDiagramAndResults));
    h += QStringLiteral(
             "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"><tr>"
             "<td width=\"60%\" align=\"center\" valign=\"middle\">%1</td>")
             .arg(diagramHtml);
    h += QStringLiteral("<td valign=\"middle\"><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">");
    for (const sheet::Figure& figure : s.figures) {
        h += QStringLiteral("<tr>") + cell(esc(figure.label)) +
             cell(QStringLiteral("<b>%1</b>").arg(esc(figure.shownText)), QStringLiteral("align=\"right\"")) +
             QStringLiteral("</tr>");
    }
    h += QStringLiteral("</table></td></tr></table>");

    h += QStringLiteral("<h3>%1</h3>").arg(qs(texts::kInputs));
    h += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"1\" width=\"100%\"><tr>");
    QString header;
    for (std::string_view column : texts::kInputColumns) header += QStringLiteral("<th>%1</th>").arg(qs(column));
    h += header + header + QStringLiteral("</tr>");
    QString notes;
    // Two inputs a row, in the window's order down the left half first.
    const std::size_t rows = (s.inputs.size() + 1) / 2;
    for (std::size_t r = 0; r < rows; ++r) {
        h += QStringLiteral("<tr>");
        for (std::size_t i : {r, r + rows}) {
            if (i >= s.inputs.size()) {
                h += QStringLiteral("<td colspan=\"5\"></td>");
                continue;
            }
            const sheet::InputRow& row = s.inputs[i];
            QString typed = esc(row.fieldText);
            if (row.notWhollyNumber) typed += QStringLiteral(" ") + kMark;
            h += cell(esc(row.label)) + cell(esc(row.symbol), QStringLiteral("align=\"center\"")) + cell(typed) +
                 cell(esc(row.valueText), QStringLiteral("align=\"right\"")) +
                 cell(esc(row.unit), QStringLiteral("align=\"center\""));
        }
        h += QStringLiteral("</tr>");
    }
    h += QStringLiteral("</table>");
    for (const sheet::InputRow& row : s.inputs) {
        if (!row.notWhollyNumber) continue;
        notes += QStringLiteral("<p>%1</p>")
                     .arg(qs(texts::kNotWhollyNumberNote))
                     .arg(kMark)
                     .arg(esc(row.label), esc(row.fieldText), esc(row.valueText));
    }
    h += notes;

    h += QStringLiteral("<h3>%1</h3>").arg(qs(texts::kSteps));
    int number = 1;
    for (const sheet::Figure& figure : s.figures) {
        h += QStringLiteral("<p><b>%1. %2</b></p>").arg(number++).arg(esc(figure.label));
        for (const sheet::Step& step : figure.steps)
            h += QStringLiteral("<p class=\"step\">%1</p>").arg(stepLine(step));
        QString shown = qs(texts::kShownInWindow).arg(esc(figure.label), esc(figure.shownText));
        if (!figure.explanation.empty()) shown += qs(texts::kExplanation).arg(esc(figure.explanation));
        h += QStringLiteral("<p class=\"step\">%1</p>").arg(shown);
    }
    h += QStringLiteral("<p class=\"disclaimer\">%1</p>").arg(esc(s.disclaimer));
    return h;
}

// The Song face at a size given in points, for the page.
QFont pageFont(double points) {
    QFont font = songFont(12);
    font.setPointSizeF(points);
    return font;
}

// Draws every page of `document` on `device`, a new page before each one
// after the first.
void drawPages(QTextDocument& document, QPagedPaintDevice& device, QPainter& painter) {
    const QSizeF page = document.pageSize();
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0) device.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        document.drawContents(&painter, QRectF(QPointF(0, i * page.height()), page));
        painter.restore();
    }
}

}  // namespace

std::unique_ptr<QTextDocument> sheetDocument(const sheet::CalculationSheet& sheet, QPagedPaintDevice& device) {
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&device);
    document->setDefaultFont(pageFont(9));
    document->setDocumentMargin(0);
    document->setPageSize(QSizeF(device.width(), device.height()));
    document->setDefaultStyleSheet(QStringLiteral(
        "h2 { font-size: 15pt; margin-bottom: 2px; } h3 { font-size: 10pt; margin-top: 8px; margin-bottom: 3px; }"
        "p { margin-top: 0px; margin-bottom: 0px; } p.step { margin-left: 12px; margin-top: 1px; }"
        "p.disclaimer { margin-top: 10px; }"));

    // The diagram at the page's resolution, shown at its size on the page.
    const double dpi = device.logicalDpiY();
    // The size an image is shown at is given in pixels of 96 per inch; the
    // layout scales it to the device.
    const int shownHeight = qRound(kDiagramHeightMm * 96 / 25.4);
    const int drawnHeight = qRound(kDiagramHeightMm * std::min<double>(dpi, kMaxDiagramDpi) / 25.4);
    const QImage diagram = drawnDiagram(sheet.diagram, drawnHeight);
    QString diagramHtml;
    if (!diagram.isNull()) {
        const QUrl name(QStringLiteral("dravik-sheet:diagram"));
        document->addResource(QTextDocument::ImageResource, name, diagram);
        diagramHtml = QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\"/>")
                          .arg(name.toString())
                          .arg(qRound(double(diagram.width()) * shownHeight / diagram.height()))
                          .arg(shownHeight);
    }
    document->setHtml(sheetHtml(sheet, diagramHtml));
    return document;
}

QString writeSheetPdf(const sheet::CalculationSheet& sheet, const QString& path) {
    // Why a file cannot be written, in the user's words rather than the
    // system's (whose messages are English).
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    auto cannotWrite = [&] {
        if (!folder.isDir()) return qs(texts::kNoSuchFolder).arg(folder.filePath());
        if (!folder.isWritable()) return qs(texts::kFolderNotWritable).arg(folder.filePath());
        if (target.exists() && !target.isWritable()) return qs(texts::kFileReadOnly).arg(target.filePath());
        return qs(texts::kWriteFailed).arg(target.filePath());
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return cannotWrite();
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(18, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(600);
        writer.setTitle(qs(sheet.title));
        writer.setCreator(qs(sheet.programLine));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return cannotWrite();
        }
        auto document = sheetDocument(sheet, writer);
        drawPages(*document, writer, painter);
        painter.end();
    }
    if (!file.commit()) return cannotWrite();
    return {};
}

bool printSheet(const sheet::CalculationSheet& sheet, QPrinter& printer) {
    printer.setDocName(qs(sheet.title));
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    auto document = sheetDocument(sheet, printer);
    drawPages(*document, printer, painter);
    painter.end();
    return true;
}

}  // namespace dravik::shell
