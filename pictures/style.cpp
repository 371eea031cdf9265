#include "pictures/style.h"

#include "pictures/drawings.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>

#include <numbers>

namespace dravik::pictures {
namespace {

constexpr double kArrowLength = 5.0;
constexpr double kArrowHalfWidth = 2.0;

QPointF centreOf(QPoint pixel) { return {pixel.x() + 0.5, pixel.y() + 0.5}; }

QPointF unit(QPointF v) {
    const double length = std::hypot(v.x(), v.y());
    return v / length;
}

// Filled arrowhead with its tip at `tip`, pointing along `direction` (unit).
void drawArrowhead(QPainter& painter, QPointF tip, QPointF direction) {
    const QPointF across(-direction.y(), direction.x());
    const QPointF base = tip - direction * kArrowLength;
    const QPolygonF head{{tip, base + across * kArrowHalfWidth, base - across * kArrowHalfWidth}};
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kDimension);
    painter.drawPolygon(head);
    painter.restore();
}

QPen thinPen(const QColor& colour, double width = 1.0) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// The letter's glyph centred on `centre`, on whole pixels.
void drawLetterAt(QPainter& painter, QPointF centre, const QString& letter) {
    const QFont font = letterFont();
    const QRectF glyph = QFontMetricsF(font).tightBoundingRect(letter);
    const QPointF origin = centre - glyph.center();
    painter.save();
    painter.setFont(font);
    painter.setPen(kLetter);
    painter.drawText(QPointF(std::round(origin.x()), std::round(origin.y())), letter);
    painter.restore();
}

QSizeF letterSize(const QString& letter) { return QFontMetricsF(letterFont()).tightBoundingRect(letter).size(); }

// A dimension's label with its value, smaller than a letter alone so that it
// fits the diagram's short dimensions.
const QString* valueOf(const QString& letter) {
    const QHash<QString, QString>* values = DimensionValues::current();
    if (values == nullptr) return nullptr;
    const auto found = values->constFind(letter);
    return found == values->constEnd() ? nullptr : &found.value();
}

QString valuedLabel(const QString& letter, const QString& value) { return letter + QStringLiteral(" = ") + value; }

QFont valueFont() {
    QFont font = letterFont();
    font.setPixelSize(10);
    return font;
}

// The label's extent along and across the dimension line.
QSizeF labelSize(const QString& letter, bool horizontal) {
    const QString* value = valueOf(letter);
    if (value == nullptr) return letterSize(letter);
    const QSizeF size = QFontMetricsF(valueFont()).tightBoundingRect(valuedLabel(letter, *value)).size();
    return horizontal ? size : size.transposed();
}

// The label centred on `centre`; one with a value along a vertical line is
// turned to read from below.
void drawLabelAt(QPainter& painter, QPointF centre, const QString& letter, bool horizontal) {
    const QString* value = valueOf(letter);
    if (value == nullptr) {
        drawLetterAt(painter, centre, letter);
        return;
    }
    const QString label = valuedLabel(letter, *value);
    const QFont font = valueFont();
    const QRectF glyph = QFontMetricsF(font).tightBoundingRect(label);
    painter.save();
    painter.translate(centre);
    if (!horizontal) painter.rotate(-90);
    painter.setFont(font);
    painter.setPen(kLetter);
    painter.drawText(-glyph.center(), label);
    painter.restore();
}

const QHash<QString, QString>*& valuesInForce() {
    static const QHash<QString, QString>* values = nullptr;
    return values;
}

// 135-degree hook at the free end `end` of a bar arriving in direction
// `outward`, bending towards `side`.
void addHook(QPainterPath& path, QPointF end, QPointF outward, QPointF side, double radius, double tail) {
    const QPointF centre = end + side * radius;
    path.moveTo(end);
    constexpr int kSteps = 9;
    QPointF last = end;
    for (int i = 1; i <= kSteps; ++i) {
        const double angle = (135.0 * i / kSteps) * std::numbers::pi / 180.0;
        last = centre + radius * (-side * std::cos(angle) + outward * std::sin(angle));
        path.lineTo(last);
    }
    path.lineTo(last + unit(side - outward) * tail);
}

}  // namespace

DimensionValues::DimensionValues(QHash<QString, QString> values) : values_(std::move(values)) {
    valuesInForce() = &values_;
}
DimensionValues::~DimensionValues() { valuesInForce() = nullptr; }
const QHash<QString, QString>* DimensionValues::current() { return valuesInForce(); }

void beginPainting(QPainter& painter, QImage& image, int scale) {
    painter.begin(&image);
    if (scale != 1) painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
}

QFont letterFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void drawSection(QPainter& painter, const QPolygon& corners) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSectionFill);
    painter.drawPolygon(corners);
    QPen outline(kOutline, 2.0);
    outline.setJoinStyle(Qt::MiterJoin);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(corners);
    painter.restore();
}

void drawWall(QPainter& painter, QPoint junctionA, QPoint junctionB, QPoint outward, int length) {
    const QPointF a = junctionA;
    const QPointF b = junctionB;
    const QPointF out = QPointF(outward);
    const QPointF endA = a + out * length;
    const QPointF endB = b + out * length;
    const QPointF along = unit(endB - endA);
    const QPointF middle = (endA + endB) / 2.0;

    // Break line: straight, one sharp zig and zag in the middle, straight.
    const std::vector<QPointF> zigzag{middle - along * 6.0, middle - along * 2.0 + out * 5.0,
                                      middle + along * 2.0 - out * 5.0, middle + along * 6.0};

    QPolygonF area{{a, endA}};
    for (const QPointF& p : zigzag) area << p;
    area << endB << b;

    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kWallFill);
    painter.drawPolygon(area);

    QPen edge(kWall, 2.0);
    edge.setCapStyle(Qt::FlatCap);
    painter.setPen(edge);
    painter.drawLine(a, endA);
    painter.drawLine(b, endB);

    QPen breakPen(kWall, 1.2);
    breakPen.setJoinStyle(Qt::MiterJoin);
    breakPen.setCapStyle(Qt::FlatCap);
    painter.setPen(breakPen);
    QPolygonF breakLine;
    breakLine << endA - along * 4.0;
    for (const QPointF& p : zigzag) breakLine << p;
    breakLine << endB + along * 4.0;
    painter.drawPolyline(breakLine);
    painter.restore();
}

void drawOuterHoop(QPainter& painter, const QPolygon& cornerBarPixels, double clearance) {
    QPolygonF centres;
    for (const QPoint& p : cornerBarPixels) centres << centreOf(p);
    const qsizetype n = centres.size();

    // Outward normal of each edge (i -> i + 1).
    std::vector<QPointF> normals;
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF from = centres[i];
        const QPointF to = centres[(i + 1) % n];
        const QPointF direction = unit(to - from);
        QPointF normal(direction.y(), -direction.x());
        if (centres.containsPoint((from + to) / 2.0 + normal * 0.25, Qt::OddEvenFill)) normal = -normal;
        normals.push_back(normal);
    }
    // The edges are horizontal or vertical, so each corner moves by both
    // adjoining normals.
    QPolygonF hoop;
    for (qsizetype i = 0; i < n; ++i) {
        hoop << centres[i] +
                    (normals[static_cast<std::size_t>((i + n - 1) % n)] + normals[static_cast<std::size_t>(i)]) *
                        clearance;
    }

    painter.save();
    QPen pen(kHoop, 1.0);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(hoop);
    painter.restore();
}

void drawLeg(QPainter& painter, QPoint fromPixel, QPoint toPixel, double overhang) {
    const QPointF from = centreOf(fromPixel);
    const QPointF to = centreOf(toPixel);
    const QPointF direction = unit(to - from);
    painter.save();
    painter.setPen(thinPen(kHoop));
    painter.drawLine(from - direction * overhang, to + direction * overhang);
    painter.restore();
}

void drawBars(QPainter& painter, const std::vector<Bar>& bars) {
    painter.save();
    for (const Bar& bar : bars) {
        const QPointF centre = centreOf(bar.pixel);
        if (bar.hollow) {
            painter.setPen(QPen(kBar, 1.3));
            painter.setBrush(kSectionFill);
            painter.drawEllipse(centre, kBarRadius - 0.4, kBarRadius - 0.4);
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(kBar);
            painter.drawEllipse(centre, kBarRadius, kBarRadius);
        }
    }
    painter.restore();
}

void drawDimension(QPainter& painter, QPoint fromPixel, QPoint toPixel, const QString& letter) {
    const QPointF from = centreOf(fromPixel);
    const QPointF to = centreOf(toPixel);
    const QPointF direction = unit(to - from);
    const QPointF middle = (from + to) / 2.0;
    const bool horizontal = fromPixel.y() == toPixel.y();
    const QSizeF size = labelSize(letter, horizontal);
    const double halfGap = (horizontal ? size.width() : size.height()) / 2.0 + 3.0;

    painter.save();
    painter.setPen(thinPen(kDimension));
    painter.drawLine(from + direction * (kArrowLength - 1.0), middle - direction * halfGap);
    painter.drawLine(middle + direction * halfGap, to - direction * (kArrowLength - 1.0));
    painter.restore();
    drawArrowhead(painter, from, -direction);
    drawArrowhead(painter, to, direction);
    drawLabelAt(painter, middle, letter, horizontal);
}

void drawNarrowDimension(QPainter& painter, QPoint fromPixel, QPoint toPixel, int leader, const QString& letter) {
    const QPointF from = centreOf(fromPixel);
    const QPointF to = centreOf(toPixel);
    const QPointF direction = unit(to - from);
    const bool horizontal = fromPixel.y() == toPixel.y();
    const QSizeF size = labelSize(letter, horizontal);
    const double halfLetter = (horizontal ? size.width() : size.height()) / 2.0;

    painter.save();
    painter.setPen(thinPen(kDimension));
    painter.drawLine(from - direction * leader, from - direction * (kArrowLength - 1.0));
    painter.drawLine(to + direction * (kArrowLength - 1.0), to + direction * (kArrowLength + 5.0));
    painter.restore();
    drawArrowhead(painter, from, direction);
    drawArrowhead(painter, to, -direction);
    drawLabelAt(painter, from - direction * (leader + 3.0 + halfLetter), letter, horizontal);
}

void drawExtension(QPainter& painter, QPoint fromPixel, QPoint toPixel) {
    painter.save();
    painter.setPen(thinPen(kDimension));
    painter.drawLine(centreOf(fromPixel), centreOf(toPixel));
    painter.restore();
}

namespace {

// Strokes a hoop or tie outline in the hoop colour with round ends.
void strokeHoopPath(QPainter& painter, const QPainterPath& path) {
    painter.save();
    QPen pen(kHoop, 1.3);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

}  // namespace

void drawClosedHoop(QPainter& painter, const QRectF& box, HookCorner corner) {
    const double radius = 2.5;
    const double shortSide = std::min(box.width(), box.height());
    const double start = std::min(4.5, shortSide * 0.25);
    const double tail = std::min(8.0, shortSide * 0.45);
    const bool left = corner == HookCorner::TopLeft || corner == HookCorner::BottomLeft;
    const bool top = corner == HookCorner::TopLeft || corner == HookCorner::TopRight;
    const QPointF apex(left ? box.left() : box.right(), top ? box.top() : box.bottom());
    const QPointF inward(left ? 1.0 : -1.0, top ? 1.0 : -1.0);
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    // Both ends overlap at the corner and bend into the core.
    for (const QPointF& end : {apex + QPointF(inward.x() * start, 0.0), apex + QPointF(0.0, inward.y() * start)}) {
        path.moveTo(end);
        path.lineTo(end + unit(inward) * tail);
    }

    strokeHoopPath(painter, path);
}

void drawTie(QPainter& painter, QPointF from, QPointF to) {
    const QPointF direction = unit(to - from);
    const QPointF side(direction.y(), -direction.x());
    QPainterPath path;
    path.moveTo(from);
    path.lineTo(to);
    addHook(path, from, -direction, side, 2.0, 4.0);
    addHook(path, to, direction, side, 2.0, 4.0);

    strokeHoopPath(painter, path);
}

}  // namespace dravik::pictures
