// The maker's mark: a red shield bearing H and a violet shield bearing D on an
// orange ground, the registered-mark sign, and the names below.
// The shield letters are drawn as shapes, so only the lettering line and the
// R of the sign depend on the installed DejaVu Sans.

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

#include "pictures/style.h"

namespace dravik::pictures {
namespace {

const QColor kOrangeGround{244, 128, 32};
const QColor kRed{206, 32, 41};
const QColor kViolet{112, 48, 160};
const QColor kDark{74, 28, 10};

// Heater shield: flat top with rounded corners, straight sides for the upper
// part, curving to a point at the bottom middle.
QPainterPath shield(const QRectF& r) {
    const double x = r.left(), y = r.top(), w = r.width(), h = r.height();
    const double corner = w * 0.08;
    QPainterPath path;
    path.moveTo(x + corner, y);
    path.lineTo(x + w - corner, y);
    path.quadTo(x + w, y, x + w, y + corner);
    path.lineTo(x + w, y + h * 0.48);
    path.cubicTo(x + w, y + h * 0.76, x + w * 0.72, y + h * 0.9, x + w * 0.5, y + h);
    path.cubicTo(x + w * 0.28, y + h * 0.9, x, y + h * 0.76, x, y + h * 0.48);
    path.lineTo(x, y + corner);
    path.quadTo(x, y, x + corner, y);
    path.closeSubpath();
    return path;
}

QPainterPath letterH(const QRectF& box, double stroke) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRect(box.left(), box.top(), stroke, box.height());
    path.addRect(box.right() - stroke, box.top(), stroke, box.height());
    path.addRect(box.left(), box.center().y() - stroke * 0.45, box.width(), stroke * 0.9);
    return path.simplified();
}

QPainterPath letterD(const QRectF& box, double stroke) {
    // Straight back, bowl of two quarter ellipses joined by a short straight.
    auto bowl = [](const QRectF& b) {
        const double rx = b.width() * 0.55, ry = b.height() * 0.5;
        QPainterPath p;
        p.moveTo(b.left(), b.top());
        p.lineTo(b.right() - rx, b.top());
        p.arcTo(QRectF(b.right() - 2 * rx, b.top(), 2 * rx, 2 * ry), 90.0, -180.0);
        p.lineTo(b.left(), b.bottom());
        p.closeSubpath();
        return p;
    };
    QPainterPath path = bowl(box);
    path.addPath(bowl(box.adjusted(stroke, stroke * 0.9, -stroke, -stroke * 0.9)));
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

void drawShield(QPainter& painter, const QRectF& r, const QColor& colour, const QPainterPath& letter) {
    const QPainterPath outer = shield(r);
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0.0, colour.lighter(118));
    shade.setColorAt(1.0, colour.darker(118));
    painter.setPen(QPen(kDark, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(shade);
    painter.drawPath(outer);
    // White rim inside the edge.
    painter.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shield(r.adjusted(8.0, 8.0, -8.0, -12.0)));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(letter);
}

}  // namespace

void paintLogo(QPainter& painter) {
    painter.fillRect(QRect(QPoint(0, 0), kLogoSize), kOrangeGround);

    // Two shields side by side.
    const QSizeF shieldSize(126.0, 158.0);
    const QRectF left(QPointF(232.5 - 8.0 - shieldSize.width(), 30.0), shieldSize);
    const QRectF right(QPointF(232.5 + 8.0, 30.0), shieldSize);
    const QSizeF letterSize(52.0, 72.0);
    auto letterBox = [&](const QRectF& s) {
        return QRectF(QPointF(s.center().x() - letterSize.width() / 2.0, s.top() + 36.0), letterSize);
    };
    drawShield(painter, left, kRed, letterH(letterBox(left), 14.0));
    drawShield(painter, right, kViolet, letterD(letterBox(right).translated(2.0, 0.0), 15.0));

    // Registered-mark sign at the upper right of the shields.
    const QPointF mark(right.right() + 20.0, right.top() + 10.0);
    painter.setPen(QPen(kDark, 2.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(mark, 10.5, 10.5);
    QFont markFont(QStringLiteral("DejaVu Sans"));
    markFont.setPixelSize(14);
    markFont.setBold(true);
    const QRectF rGlyph = QFontMetricsF(markFont).tightBoundingRect(QStringLiteral("R"));
    painter.setFont(markFont);
    painter.setPen(kDark);
    painter.drawText(mark - rGlyph.center(), QStringLiteral("R"));

    // Rule and the names.
    painter.setPen(QPen(kDark, 2.0));
    painter.drawLine(QPointF(70.0, 222.0), QPointF(395.0, 222.0));
    QFont names(QStringLiteral("DejaVu Sans"));
    names.setPixelSize(30);
    names.setBold(true);
    names.setLetterSpacing(QFont::AbsoluteSpacing, 3.0);
    const QString lettering = QStringLiteral("HALVORN \u00B7 DRAVIK");
    const QFontMetricsF metrics(names);
    const double width = metrics.horizontalAdvance(lettering) - 3.0;
    painter.setFont(names);
    painter.drawText(QPointF(std::round((465.0 - width) / 2.0), 266.0), lettering);
}

}  // namespace dravik::pictures
