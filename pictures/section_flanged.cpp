// Flanged section, an inverted T: flange a = 1200 long and c = 200 high, web
// d = 300 wide standing on the middle of the flange, total height b = 600.
// The wall continues to the left from the flange.

#include "pictures/style.h"

namespace dravik::pictures {

void paintFlangedSection(QPainter& painter) {
    // The 8 x 8 blocks along the edges (x < 8, x >= 200, y < 8, y >= 160)
    // stay plain ground, so the JPEG edge pixels decode to the ground colour.
    const Scale s{34, 145, 0.125, 0.17};
    constexpr double a = 1200, b = 600, c = 200, webLeft = 450, webRight = 750;
    const int left = s.x(0), right = s.x(a), top = s.y(b), bottom = s.y(0);

    drawWall(painter, s.at(0, c), s.at(0, 0), {-1, 0}, 20);
    drawSection(painter, QPolygon({s.at(0, 0), s.at(a, 0), s.at(a, c), s.at(webRight, c), s.at(webRight, b),
                                   s.at(webLeft, b), s.at(webLeft, c), s.at(0, c)}));

    drawOuterHoop(painter,
                  QPolygon({s.pixel(50, 50), s.pixel(1150, 50), s.pixel(1150, 150), s.pixel(700, 150),
                            s.pixel(700, 550), s.pixel(500, 550), s.pixel(500, 150), s.pixel(50, 150)}),
                  kHoopClearance);
    for (double x : {250.0, 950.0}) drawLeg(painter, s.pixel(x, 50), s.pixel(x, 150), kHoopClearance);
    for (double x : {500.0, 700.0}) drawLeg(painter, s.pixel(x, 50), s.pixel(x, 150), kHoopClearance);
    drawLeg(painter, s.pixel(600, 50), s.pixel(600, 550), kHoopClearance);
    for (double y : {150.0, 350.0}) drawLeg(painter, s.pixel(500, y), s.pixel(700, y), kHoopClearance);

    // Bars along both faces of the flange and up the web; the four where web
    // and flange cross are of the other size.
    std::vector<Bar> bars;
    for (double y : {50.0, 150.0}) {
        for (double x : {50.0, 250.0, 950.0, 1150.0}) bars.push_back({s.pixel(x, y)});
        for (double x : {500.0, 700.0}) bars.push_back({s.pixel(x, y), true});
    }
    bars.push_back({s.pixel(600, 50)});
    for (double y : {350.0, 550.0}) {
        for (double x : {500.0, 700.0}) bars.push_back({s.pixel(x, y)});
    }
    bars.push_back({s.pixel(600, 550)});
    drawBars(painter, bars);

    // a along the bottom, c across the wall, d over the web, b on the right.
    drawExtension(painter, {left, bottom + 2}, {left, bottom + 11});
    drawExtension(painter, {right - 1, bottom + 2}, {right - 1, bottom + 11});
    drawDimension(painter, {left, bottom + 8}, {right - 1, bottom + 8}, QStringLiteral("a"));
    drawDimension(painter, {left - 8, s.y(c) + 1}, {left - 8, bottom - 2}, QStringLiteral("c"));
    drawExtension(painter, {s.x(webLeft), top - 3}, {s.x(webLeft), top - 13});
    drawExtension(painter, {s.x(webRight) - 1, top - 3}, {s.x(webRight) - 1, top - 13});
    drawDimension(painter, {s.x(webLeft), top - 10}, {s.x(webRight) - 1, top - 10}, QStringLiteral("d"));
    drawExtension(painter, {s.x(webRight) + 2, top}, {right + 13, top});
    drawExtension(painter, {right + 2, bottom - 1}, {right + 13, bottom - 1});
    drawDimension(painter, {right + 10, top}, {right + 10, bottom - 1}, QStringLiteral("b"));

    // Bar shapes: the web hoop, the flange hoop and a tie.
    drawClosedHoop(painter, QRectF(40.5, 49.5, 13.0, 44.0));
    drawClosedHoop(painter, QRectF(59.5, 49.5, 26.0, 13.0), HookCorner::TopRight);
    drawTie(painter, {61.5, 81.5}, {83.5, 81.5});
}

}  // namespace dravik::pictures
