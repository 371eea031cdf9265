#include "shell/sheet_document.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>

#include "shell/appearance.h"
#include "shell/qt_text.h"
#include "tools/draw_pictures/pictures.h"

namespace dravik::shell {
namespace {

// A text object that draws a section diagram: the picture's own drawing
// code, scaled from the picture's pixels to the object's rectangle, so on a
// PDF page it stays vector drawing and on a printer it is drawn at the
// printer's resolution.
class DiagramObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    static constexpr int kType = QTextFormat::UserObject + 1;
    static constexpr int kPictureProperty = QTextFormat::UserProperty + 1;
    static constexpr int kHeightProperty = QTextFormat::UserProperty + 2;

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override {
        const QSize pixels = drawing(format).size;
        const double height = format.doubleProperty(kHeightProperty) * dpi(document) / 25.4;
        return {height * pixels.width() / pixels.height(), height};
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) override {
        const Drawing d = drawing(format);
        if (d.paint == nullptr) return;
        painter->save();
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / d.size.width(), rect.height() / d.size.height());
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setRenderHint(QPainter::TextAntialiasing, true);
        painter->setClipRect(QRect(QPoint(0, 0), d.size));
        d.paint(*painter);
        painter->restore();
    }

private:
    struct Drawing {
        QSize size;
        void (*paint)(QPainter&);
    };
    static Drawing drawing(const QTextFormat& format) {
        switch (static_cast<layouts::StoredPicture>(format.intProperty(kPictureProperty))) {
            case layouts::StoredPicture::SectionRectangle:
                return {pictures::kRectangleSectionSize, pictures::paintRectangleSection};
            case layouts::StoredPicture::SectionL: return {pictures::kLSectionSize, pictures::paintLSection};
            case layouts::StoredPicture::SectionFlanged:
                return {pictures::kFlangedSectionSize, pictures::paintFlangedSection};
            case layouts::StoredPicture::SectionZ: return {pictures::kZSectionSize, pictures::paintZSection};
            default: break;
        }
        return {QSize(1, 1), nullptr};
    }
    static double dpi(QTextDocument* document) {
        const QPaintDevice* device = document->documentLayout()->paintDevice();
        return device != nullptr ? device->logicalDpiY() : 96.0;
    }
};

// Height of the diagram on the page, millimetres.
constexpr double kDiagramHeightMm = 48.0;
constexpr QChar kMark = QChar(0x203B);  // ※

QString esc(std::string_view utf8) { return qs(utf8).toHtmlEscaped(); }

// A number or formula in a table cell, kept on one line where it fits.
QString cell(const QString& html, const QString& attributes = {}) {
    return QStringLiteral("<td%1>%2</td>").arg(attributes.isEmpty() ? QString() : QLatin1Char(' ') + attributes, html);
}

QString sheetHtml(const sheet::CalculationSheet& s) {
    QString h;
    h += QStringLiteral("<h2 align=\"center\">%1</h2>").arg(esc(s.title));
    h += QStringLiteral("<p align=\"center\">%1<br/>%2　　%3</p>")
             .arg(esc(s.windowCaption), esc(s.dateTime), esc(s.programLine));

    h += QStringLiteral("<h3>一、计算简图</h3><p align=\"center\">@@diagram@@</p>");

    h += QStringLiteral("<h3>二、输入参数</h3>");
    h += QStringLiteral(
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">"
        "<tr><th>参数</th><th>符号</th><th>输入文字</th><th>计算用数值</th><th>单位</th></tr>");
    QString notes;
    for (const sheet::InputRow& row : s.inputs) {
        QString typed = esc(row.fieldText);
        if (row.notWhollyNumber) {
            typed += QStringLiteral(" ") + kMark;
            notes += QStringLiteral("<br/>") + kMark +
                     QStringLiteral(" “%1”的输入文字“%2”不全是数字，计算用其开头的数 %3。")
                         .arg(esc(row.label), esc(row.fieldText), esc(row.valueText));
        }
        h += QStringLiteral("<tr>") + cell(esc(row.label)) + cell(esc(row.symbol), QStringLiteral("align=\"center\"")) +
             cell(typed) + cell(esc(row.valueText), QStringLiteral("align=\"right\"")) +
             cell(esc(row.unit), QStringLiteral("align=\"center\"")) + QStringLiteral("</tr>");
    }
    h += QStringLiteral("</table>");
    if (!notes.isEmpty()) h += QStringLiteral("<p>") + notes.mid(5) + QStringLiteral("</p>");

    h += QStringLiteral("<h3>三、计算过程</h3>");
    h += QStringLiteral(
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">"
        "<tr><th>项目</th><th>公式</th><th>代入数值</th><th>结果</th></tr>");
    int number = 1;
    for (const sheet::Figure& figure : s.figures) {
        h += QStringLiteral("<tr><td colspan=\"4\"><b>%1. %2</b></td></tr>").arg(number++).arg(esc(figure.label));
        for (const sheet::Step& step : figure.steps) {
            h += QStringLiteral("<tr>") + cell(esc(step.name)) +
                 cell(esc(step.symbol) + QStringLiteral(" = ") + qs(step.inSymbols()).toHtmlEscaped()) +
                 cell(qs(step.withValues()).toHtmlEscaped()) +
                 cell(esc(step.valueText) + QStringLiteral(" ") + esc(step.unit), QStringLiteral("align=\"right\"")) +
                 QStringLiteral("</tr>");
        }
        QString shown = QStringLiteral("%1　<b>%2</b>").arg(esc(figure.label), esc(figure.shownText));
        if (!figure.explanation.empty()) shown += QStringLiteral("（%1）").arg(esc(figure.explanation));
        h += QStringLiteral("<tr><td colspan=\"4\">显示：%1</td></tr>").arg(shown);
    }
    h += QStringLiteral("</table>");

    h += QStringLiteral("<h3>四、计算结果</h3>");
    h += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">");
    for (const sheet::Figure& figure : s.figures) {
        h += QStringLiteral("<tr>") + cell(esc(figure.label)) +
             cell(QStringLiteral("<b>%1</b>").arg(esc(figure.shownText)), QStringLiteral("align=\"right\"")) +
             QStringLiteral("</tr>");
    }
    h += QStringLiteral("</table>");
    h += QStringLiteral("<p>%1</p>").arg(esc(s.disclaimer));
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
    auto* handler = new DiagramObject;
    handler->setParent(document.get());
    document->documentLayout()->registerHandler(DiagramObject::kType, handler);
    document->setDefaultFont(pageFont(9));
    document->setDocumentMargin(0);
    document->setPageSize(QSizeF(device.width(), device.height()));
    document->setDefaultStyleSheet(QStringLiteral("h2 { font-size: 16pt; } h3 { font-size: 10.5pt; }"));
    document->setHtml(sheetHtml(sheet));

    // The diagram takes the place of its marker.
    QTextCursor marker = document->find(QStringLiteral("@@diagram@@"));
    if (!marker.isNull()) {
        QTextCharFormat format;
        format.setObjectType(DiagramObject::kType);
        format.setProperty(DiagramObject::kPictureProperty, static_cast<int>(sheet.diagram));
        format.setProperty(DiagramObject::kHeightProperty, kDiagramHeightMm);
        marker.insertText(QString(QChar::ObjectReplacementCharacter), format);
    }
    return document;
}

QString writeSheetPdf(const sheet::CalculationSheet& sheet, const QString& path) {
    // Why a file cannot be written, in the user's words rather than the
    // system's (whose messages are English).
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    auto cannotWrite = [&] {
        if (!folder.isDir()) return QStringLiteral("文件夹“%1”不存在。").arg(folder.filePath());
        if (!folder.isWritable()) return QStringLiteral("没有在文件夹“%1”中写入文件的权限。").arg(folder.filePath());
        if (target.exists() && !target.isWritable()) return QStringLiteral("文件“%1”是只读的。").arg(target.filePath());
        return QStringLiteral("写入文件“%1”时出错（磁盘已满或文件被占用）。").arg(target.filePath());
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

#include "sheet_document.moc"
