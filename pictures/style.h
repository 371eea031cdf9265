// Drawing style shared by the pictures, and their paintings (see Drawing in
// pictures/drawings.h).
//
// Coordinates: polygons of the section and the wall run along pixel corners
// (integers); one-pixel lines (hoops, legs, dimension and extension lines)
// run through pixel centres, so the helpers that take a pixel column or row
// add half a pixel themselves.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <QSize>
#include <QString>

#include <cmath>
#include <vector>

namespace dravik::pictures {

// The window's face colour: the diagrams sit in a group box of this colour.
inline const QColor kGround{212, 208, 200};
inline const QColor kSectionFill{236, 234, 229};
inline const QColor kOutline{0, 136, 0};
inline const QColor kHoop{204, 0, 204};
inline const QColor kBar{220, 0, 0};
inline const QColor kDimension{72, 72, 72};
inline const QColor kLetter{220, 0, 0};
inline const QColor kWall{139, 84, 38};
inline const QColor kWallFill{224, 212, 194};

// Millimetres of the section to pixel corners of the picture. y grows upwards
// in millimetres and downwards in pixels.
struct Scale {
    int originX;  // pixel corner of x = 0 mm
    int originY;  // pixel corner of y = 0 mm
    double perMmX;
    double perMmY;

    int x(double mm) const { return originX + static_cast<int>(std::lround(mm * perMmX)); }
    int y(double mm) const { return originY - static_cast<int>(std::lround(mm * perMmY)); }
    QPoint at(double xMm, double yMm) const { return {x(xMm), y(yMm)}; }
    // The pixel whose centre is nearest to the point (scales are chosen so
    // that bar positions fall on pixel centres).
    QPoint pixel(double xMm, double yMm) const {
        return {static_cast<int>(std::floor(originX + xMm * perMmX)),
                static_cast<int>(std::floor(originY - yMm * perMmY))};
    }
};

// Antialiased painter on `image`, drawing `scale` image pixels to each pixel
// of the picture's coordinates, so that one drawing code serves every scale.
void beginPainting(QPainter& painter, QImage& image, int scale = 1);

// The font of the dimension letters.
QFont letterFont();

// Section: light fill and green outline along the pixel-corner polygon.
void drawSection(QPainter& painter, const QPolygon& corners);

// The adjoining wall, leaving the section across the edge from `junctionA` to
// `junctionB` (pixel corners) in the direction `outward` (one of the four axis
// directions) for `length` pixels, ending in a zigzag break line. Draw before
// the section so the section's outline lies on top of the junction.
void drawWall(QPainter& painter, QPoint junctionA, QPoint junctionB, QPoint outward, int length);

// Bars of one section: centres as pixels (the bar is centred in that pixel).
struct Bar {
    QPoint pixel;
    bool hollow = false;
};

// The outer hoop: a closed polygon through pixel centres (the centres of the
// corner bars), drawn `clearance` pixels outside them.
void drawOuterHoop(QPainter& painter, const QPolygon& cornerBarPixels, double clearance);

// One straight inner leg between two pixel centres, extended by `overhang`
// pixels at both ends (to reach the outer hoop).
void drawLeg(QPainter& painter, QPoint fromPixel, QPoint toPixel, double overhang);

void drawBars(QPainter& painter, const std::vector<Bar>& bars);

// Bar radius in pixels, and the gap between bars and the outer hoop.
inline constexpr double kBarRadius = 2.5;
inline constexpr double kHoopClearance = 3.0;

// Dimension line between two pixel centres on one row or one column, arrows
// at both ends, the letter in a gap in the middle.
void drawDimension(QPainter& painter, QPoint fromPixel, QPoint toPixel, const QString& letter);

// A dimension too narrow for arrows inside: arrows outside pointing at the two
// pixel centres, the letter at the far end of the leader before `fromPixel`.
void drawNarrowDimension(QPainter& painter, QPoint fromPixel, QPoint toPixel, int leader, const QString& letter);

// Extension line between two pixel centres.
void drawExtension(QPainter& painter, QPoint fromPixel, QPoint toPixel);

// The hoop and tie sketch beside the section.
// A closed hoop with both ends bent 135 degrees into the core at one corner;
// `box` in pixel centres.
enum class HookCorner { TopLeft, TopRight, BottomLeft, BottomRight };
void drawClosedHoop(QPainter& painter, const QRectF& box, HookCorner corner = HookCorner::TopLeft);
// A straight tie between two points with a 135-degree hook at each end, both
// hooks bending to the same side.
void drawTie(QPainter& painter, QPointF from, QPointF to);

// The paintings, one file each, and the sizes they are painted at.
inline constexpr QSize kLogoSize{465, 308};
inline constexpr QSize kRectangleSectionSize{168, 181};
inline constexpr QSize kLSectionSize{189, 165};
inline constexpr QSize kFlangedSectionSize{208, 162};
inline constexpr QSize kZSectionSize{300, 184};
void paintLogo(QPainter& painter);
void paintRectangleSection(QPainter& painter);
void paintLSection(QPainter& painter);
void paintFlangedSection(QPainter& painter);
void paintZSection(QPainter& painter);

}  // namespace dravik::pictures
