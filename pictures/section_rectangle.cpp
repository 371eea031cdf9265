// Rectangular section (a = 400 across, b = 800 deep, drawn to pixel sizes
// that keep every bar row and column symmetric). The wall continues upwards.

#include "pictures/style.h"

namespace dravik::pictures {

void paintRectangleSection(QPainter& painter) {
    constexpr int kLeft = 26, kRight = 87, kTop = 44, kBottom = 165;

    drawWall(painter, {kLeft, kTop}, {kRight, kTop}, {0, -1}, 28);
    drawSection(painter, QPolygon({{kLeft, kTop}, {kRight, kTop}, {kRight, kBottom}, {kLeft, kBottom}}));

    // Five rows of three bars; the row along a is of the other bar size.
    constexpr int kColumns[] = {35, 56, 77};
    constexpr int kRows[] = {53, 79, 104, 129, 155};
    std::vector<Bar> bars;
    for (int row : kRows) {
        for (int column : kColumns) bars.push_back({{column, row}, row == kRows[4]});
    }

    drawOuterHoop(painter, QPolygon({{35, 53}, {77, 53}, {77, 155}, {35, 155}}), kHoopClearance);
    for (int row : {kRows[1], kRows[2], kRows[3]}) drawLeg(painter, {35, row}, {77, row}, kHoopClearance);
    drawLeg(painter, {56, 53}, {56, 155}, kHoopClearance);
    drawBars(painter, bars);

    // a along the bottom, b up the left side.
    drawExtension(painter, {kLeft, kBottom + 2}, {kLeft, kBottom + 11});
    drawExtension(painter, {kRight - 1, kBottom + 2}, {kRight - 1, kBottom + 11});
    drawDimension(painter, {kLeft, kBottom + 8}, {kRight - 1, kBottom + 8}, QStringLiteral("a"));
    drawExtension(painter, {kLeft - 3, kTop}, {kLeft - 17, kTop});
    drawExtension(painter, {kLeft - 3, kBottom - 1}, {kLeft - 17, kBottom - 1});
    drawDimension(painter, {kLeft - 14, kTop}, {kLeft - 14, kBottom - 1}, QStringLiteral("b"));

    // Bar shapes: the outer hoop, the small hoop and two ties.
    drawClosedHoop(painter, QRectF(106.5, 62.5, 22.0, 48.0));
    drawClosedHoop(painter, QRectF(140.5, 62.5, 14.0, 24.0));
    drawTie(painter, {108.5, 128.5}, {154.5, 128.5});
    drawTie(painter, {108.5, 144.5}, {154.5, 144.5});
}

}  // namespace dravik::pictures
