// Z-shaped section: bottom part at the lower right (a = 1200 from the middle
// part's left face, d = 500 high), middle part c = 500 wide, top part at the
// upper left (f = 1000 to the middle part's right face, e = 500 high), total
// height b = 1300. The wall continues to the left from the top part.

#include "pictures/style.h"

namespace dravik::pictures {

void paintZSection(QPainter& painter) {
    // The 8 x 8 blocks along the edges (x < 8, x >= 296, y < 8, y >= 176)
    // stay plain ground, so the JPEG edge pixels decode to the ground colour.
    const Scale s{101, 162, 0.13, 0.105};
    constexpr double a = 1200, b = 1300, c = 500, d = 500, e = 500, f = 1000;
    constexpr double topLeft = c - f;  // left end of the top part
    const int top = s.y(b), bottom = s.y(0);

    drawWall(painter, s.at(topLeft, b), s.at(topLeft, b - e), {-1, 0}, 20);
    drawSection(painter, QPolygon({s.at(0, 0), s.at(a, 0), s.at(a, d), s.at(c, d), s.at(c, b), s.at(topLeft, b),
                                   s.at(topLeft, b - e), s.at(0, b - e)}));

    drawOuterHoop(painter,
                  QPolygon({s.pixel(50, 50), s.pixel(1150, 50), s.pixel(1150, 450), s.pixel(450, 450),
                            s.pixel(450, 1250), s.pixel(-450, 1250), s.pixel(-450, 850), s.pixel(50, 850)}),
                  kHoopClearance);
    drawLeg(painter, s.pixel(50, 250), s.pixel(1150, 250), kHoopClearance);
    for (double x : {450.0, 680.0, 920.0}) drawLeg(painter, s.pixel(x, 50), s.pixel(x, 450), kHoopClearance);
    drawLeg(painter, s.pixel(250, 50), s.pixel(250, 1250), kHoopClearance);
    for (double y : {450.0, 850.0}) drawLeg(painter, s.pixel(50, y), s.pixel(450, y), kHoopClearance);
    drawLeg(painter, s.pixel(-450, 1050), s.pixel(450, 1050), kHoopClearance);
    for (double x : {-200.0, 50.0}) drawLeg(painter, s.pixel(x, 850), s.pixel(x, 1250), kHoopClearance);

    // Bars round the Z; those on the faces of the middle part are of the
    // other size.
    std::vector<Bar> bars;
    for (double x : {50.0, 250.0, 450.0, 680.0, 920.0, 1150.0}) bars.push_back({s.pixel(x, 50)});
    for (double x : {680.0, 920.0, 1150.0}) bars.push_back({s.pixel(x, 450)});
    bars.push_back({s.pixel(1150, 250)});
    bars.push_back({s.pixel(50, 250)});
    for (double y : {450.0, 650.0, 850.0}) {
        bars.push_back({s.pixel(50, y), true});
        bars.push_back({s.pixel(450, y), true});
    }
    for (double x : {-450.0, -200.0, 50.0, 250.0, 450.0}) bars.push_back({s.pixel(x, 1250)});
    bars.push_back({s.pixel(450, 1050)});
    bars.push_back({s.pixel(-450, 1050)});
    for (double x : {-450.0, -200.0}) bars.push_back({s.pixel(x, 850)});
    drawBars(painter, bars);

    const int right = s.x(a), middleLeft = s.x(0), middleRight = s.x(c), wallEnd = s.x(topLeft);
    // a along the bottom, d and b on the right, f along the top, e across
    // the wall, c across the middle part.
    drawExtension(painter, {middleLeft, bottom + 2}, {middleLeft, bottom + 11});
    drawExtension(painter, {right - 1, bottom + 2}, {right - 1, bottom + 11});
    drawDimension(painter, {middleLeft, bottom + 8}, {right - 1, bottom + 8}, QStringLiteral("a"));
    drawExtension(painter, {right + 2, bottom - 1}, {right + 29, bottom - 1});
    drawExtension(painter, {right + 2, s.y(d)}, {right + 13, s.y(d)});
    drawDimension(painter, {right + 10, s.y(d)}, {right + 10, bottom - 1}, QStringLiteral("d"));
    drawExtension(painter, {middleRight + 2, top}, {right + 29, top});
    drawDimension(painter, {right + 26, top}, {right + 26, bottom - 1}, QStringLiteral("b"));
    drawExtension(painter, {wallEnd, top - 3}, {wallEnd, top - 13});
    drawExtension(painter, {middleRight - 1, top - 3}, {middleRight - 1, top - 13});
    drawDimension(painter, {wallEnd, top - 10}, {middleRight - 1, top - 10}, QStringLiteral("f"));
    drawDimension(painter, {wallEnd - 8, top + 1}, {wallEnd - 8, s.y(b - e) - 2}, QStringLiteral("e"));
    const int middleRow = s.pixel(0, 650).y();
    drawNarrowDimension(painter, {middleLeft - 2, middleRow}, {middleRight + 1, middleRow}, 12, QStringLiteral("c"));

    // Bar shapes: the hoops of the top and bottom parts, the hoop of the
    // middle part overlapping both, and a tie.
    drawClosedHoop(painter, QRectF(176.5, 42.5, 38.0, 13.0));
    drawClosedHoop(painter, QRectF(200.5, 71.5, 38.0, 13.0), HookCorner::BottomRight);
    drawClosedHoop(painter, QRectF(200.5, 42.5, 14.0, 42.0), HookCorner::TopRight);
    drawTie(painter, {222.5, 50.5}, {248.5, 50.5});
}

}  // namespace dravik::pictures
