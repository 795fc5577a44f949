// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPointF>
#include <QSizeF>

#include <algorithm>
#include <cmath>

namespace rb {

inline constexpr double kTwipsPerPixel = 15.0; // 1440 twips an inch at 96 dpi, at 100 %

// The form's zoom: how many logical pixels one design pixel (15 twips) takes, 1 at 100 %. This
// is the one place the form scale lives: every conversion of twips to pixels and every frame
// line, bevel and drawing width of the form runtime goes through it. Only the Form sets it.
double formZoom();
void setFormZoom(double zoom);

inline double twipsToPixels(double twips) {
    return twips * formZoom() / kTwipsPerPixel;
}
inline double pixelsToTwips(double pixels) {
    return pixels * kTwipsPerPixel / formZoom();
}
// A length in twips as whole pixels, rounded to the nearest.
inline int twipsToWholePixels(double twips) {
    return static_cast<int>(std::lround(twipsToPixels(twips)));
}
// A length of the 100 % design in pixels (a frame line, a bevel, a drawing width) at the zoom:
// whole pixels, at least 1.
inline int zoomedPixels(double designPixels) {
    return std::max(1, static_cast<int>(std::lround(designPixels * formZoom())));
}

// A font of the 100 % design at a zoom: its design size plus the growth (or less the shrinking)
// of the zoom, rounded down to whole pixels of 15 twips (0.75 pt), and at least one pixel. Qt
// draws a font at a whole pixel size; rounded up, a text grows faster than the box around it
// and is cut ("8 / (" for "8 / 0"). At 100 % the design font itself.
QFont zoomedFont(const QFont& design, double zoom);

// A control's place in its container: Left, Top, Width and Height in twips.
struct Twips {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The coordinate system of a container's inner area: its top-left corner is (x1, y1) and its
// bottom-right corner (x2, y2) in user units; y2 < y1 makes y grow upward. Without a user
// scale a container measures in twips.
//
// Two mappings to logical pixels, both relative to the inner area's top-left corner:
//  - positions (edges of child controls): x1 -> 0 and x2 -> the inner width;
//  - drawing (pixel centres of lines and points): x1 -> pixel 0 and x2 -> the last pixel, so a
//    line drawn at x2 or y2 lies on the right or bottom edge and is not clipped away.
class UserScale {
public:
    UserScale() = default; // twips, until an inner size is set
    UserScale(double x1, double y1, double x2, double y2, QSizeF innerPixels);

    static UserScale twips(QSizeF innerPixels);

    double x1() const { return m_x1; }
    double y1() const { return m_y1; }
    double x2() const { return m_x2; }
    double y2() const { return m_y2; }
    QSizeF innerPixels() const { return m_inner; }
    void setInnerPixels(QSizeF inner);

    // Positions and lengths of child controls.
    double xToPixels(double x) const;
    double yToPixels(double y) const;
    double xFromPixels(double px) const;
    double yFromPixels(double py) const;
    QPointF toPixels(QPointF user) const { return {xToPixels(user.x()), yToPixels(user.y())}; }
    QPointF fromPixels(QPointF px) const { return {xFromPixels(px.x()), yFromPixels(px.y())}; }
    // A length in pixels as a length in user units, always positive.
    double widthFromPixels(double px) const;
    double heightFromPixels(double py) const;

    // Drawing: the pixel (as a fractional index) whose centre a user point falls on.
    QPointF toDrawPixels(QPointF user) const;

private:
    bool m_twips = true;
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    QSizeF m_inner;
};

} // namespace rb
