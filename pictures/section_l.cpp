// L-shaped section: lower limb a = 1000 long and c = 400 high, upper limb
// d = 400 wide standing on its left end, total height b = 800. The wall
// continues upwards from the upper limb and to the right from the lower limb.

#include "pictures/style.h"

namespace dravik::pictures {

void paintLSection(QPainter& painter) {
    // 0.13 px/mm puts every bar (50 mm from the faces, 100 mm apart) on a
    // pixel centre.
    const Scale s{22, 142, 0.13, 0.13};
    constexpr double a = 1000, b = 800, c = 400, d = 400;
    const int left = s.x(0), right = s.x(a), top = s.y(b), bottom = s.y(0);

    drawWall(painter, s.at(0, b), s.at(d, b), {0, -1}, 24);
    drawWall(painter, s.at(a, 0), s.at(a, c), {1, 0}, 25);
    drawSection(painter, QPolygon({s.at(0, 0), s.at(a, 0), s.at(a, c), s.at(d, c), s.at(d, b), s.at(0, b)}));

    // Inner legs through the bar centres; the outer hoop runs round the L.
    drawOuterHoop(painter,
                  QPolygon({s.pixel(50, 50), s.pixel(950, 50), s.pixel(950, 350), s.pixel(350, 350), s.pixel(350, 750),
                            s.pixel(50, 750)}),
                  kHoopClearance);
    for (double y : {150.0, 250.0}) drawLeg(painter, s.pixel(50, y), s.pixel(950, y), kHoopClearance);
    drawLeg(painter, s.pixel(50, 350), s.pixel(350, 350), kHoopClearance);
    for (double x : {150.0, 250.0}) drawLeg(painter, s.pixel(x, 50), s.pixel(x, 750), kHoopClearance);
    drawLeg(painter, s.pixel(350, 50), s.pixel(350, 350), kHoopClearance);
    for (double x : {550.0, 750.0}) drawLeg(painter, s.pixel(x, 50), s.pixel(x, 350), kHoopClearance);
    drawLeg(painter, s.pixel(50, 550), s.pixel(350, 550), kHoopClearance);

    // 22 bars round the L; the seven along the outer faces at the corner are
    // of the other size.
    std::vector<Bar> bars;
    for (double y : {50.0, 150.0, 250.0, 350.0}) bars.push_back({s.pixel(50, y), true});
    for (double x : {150.0, 250.0, 350.0}) bars.push_back({s.pixel(x, 50), true});
    for (double x : {550.0, 750.0, 950.0}) {
        bars.push_back({s.pixel(x, 50)});
        bars.push_back({s.pixel(x, 350)});
    }
    bars.push_back({s.pixel(350, 350)});
    for (double y : {150.0, 250.0}) bars.push_back({s.pixel(950, y)});
    for (double y : {550.0, 750.0}) bars.push_back({s.pixel(50, y)});
    for (double x : {150.0, 250.0, 350.0}) bars.push_back({s.pixel(x, 750)});
    bars.push_back({s.pixel(350, 550)});
    drawBars(painter, bars);

    // a along the bottom, b up the left side; d and c across the two walls.
    drawExtension(painter, {left, bottom + 2}, {left, bottom + 11});
    drawExtension(painter, {right - 1, bottom + 2}, {right - 1, bottom + 11});
    drawDimension(painter, {left, bottom + 8}, {right - 1, bottom + 8}, QStringLiteral("a"));
    drawExtension(painter, {left - 3, top}, {left - 17, top});
    drawExtension(painter, {left - 3, bottom - 1}, {left - 17, bottom - 1});
    drawDimension(painter, {left - 14, top}, {left - 14, bottom - 1}, QStringLiteral("b"));
    drawDimension(painter, {left + 1, top - 10}, {s.x(d) - 2, top - 10}, QStringLiteral("d"));
    drawDimension(painter, {right + 10, s.y(c) + 1}, {right + 10, bottom - 2}, QStringLiteral("c"));

    // Bar shapes: a standing and a lying hoop overlapping at the corner, a
    // smaller hoop inside each, and a tie.
    drawClosedHoop(painter, QRectF(86.5, 8.5, 20.0, 58.0));
    drawClosedHoop(painter, QRectF(86.5, 46.5, 66.0, 20.0), HookCorner::BottomRight);
    drawClosedHoop(painter, QRectF(91.5, 13.5, 10.0, 26.0), HookCorner::TopRight);
    drawClosedHoop(painter, QRectF(113.5, 51.5, 34.0, 10.0));
    drawTie(painter, {118.5, 22.5}, {162.5, 22.5});
}

}  // namespace dravik::pictures
