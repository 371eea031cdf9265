#include "shell/sheet_pages.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>

#include "review/title_block.h"
#include "sheet/calculation_sheet.h"
#include "shell/appearance.h"
#include "shell/qt_text.h"

namespace dravik::shell {
namespace {

double pixelsOf(double mm, const QPagedPaintDevice& device) { return mm * device.logicalDpiY() / 25.4; }

// The footer's left side: "暗柱计算书  GBZ1  滨江花园".
QString footerLeft(const sheet::CalculationSheet& sheet) {
    QStringList parts{qs(sheet.title)};
    for (const std::string* part : {&sheet.titleBlock.memberId, &sheet.titleBlock.project}) {
        if (!part->empty()) parts << qs(*part);
    }
    return parts.join(QStringLiteral("　"));
}

}  // namespace

QPageLayout sheetPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 15, 15, 15),
                       QPageLayout::Millimeter);
}

double textHeightOn(const QPagedPaintDevice& device) { return device.height() - pixelsOf(kFooterBandMm, device); }

void drawSheetPages(const sheet::CalculationSheet& sheet, QTextDocument& document, QPagedPaintDevice& device,
                    QPainter& painter, bool newPageFirst) {
    drawPagesWithFooter(document, device, painter, footerLeft(sheet), newPageFirst);
}

void drawPagesWithFooter(QTextDocument& document, QPagedPaintDevice& device, QPainter& painter, const QString& left,
                         bool newPageFirst) {
    const QSizeF page = document.pageSize();
    const int pages = document.pageCount();
    QFont footerFont = songFont(12);
    footerFont.setPointSizeF(8);
    for (int i = 0; i < pages; ++i) {
        if (i > 0 || newPageFirst) device.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        document.drawContents(&painter, QRectF(QPointF(0, i * page.height()), page));
        painter.restore();

        const QRectF band(0, device.height() - pixelsOf(kFooterBandMm * 0.7, device), device.width(),
                          pixelsOf(kFooterBandMm * 0.7, device));
        painter.save();
        painter.setFont(QFont(footerFont, &device));
        painter.setPen(QPen(Qt::black, 0));
        painter.drawLine(band.topLeft(), band.topRight());
        painter.drawText(band, Qt::AlignLeft | Qt::AlignBottom, left);
        painter.drawText(band, Qt::AlignRight | Qt::AlignBottom, qs(review::pageFooter(i + 1, pages)));
        painter.restore();
    }
}

}  // namespace dravik::shell
