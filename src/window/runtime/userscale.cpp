// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/userscale.h"

#include <cmath>

namespace rb {

namespace {
double g_zoom = 1.0;
} // namespace

double formZoom() {
    return g_zoom;
}

void setFormZoom(double zoom) {
    g_zoom = zoom;
}

QFont zoomedFont(const QFont& design, double zoom) {
    QFont f = design;
    // What the zoom adds to `pixels`, in whole pixels (negative below 100 %).
    const auto growth = [zoom](double pixels) { return std::floor(pixels * (zoom - 1) + 1e-9); };
    if (design.pointSizeF() > 0) {
        constexpr double kPointsPerPixel = 0.75; // 15 twips
        const double points = design.pointSizeF();
        f.setPointSizeF(
            std::max(kPointsPerPixel, points + growth(points / kPointsPerPixel) * kPointsPerPixel));
    } else if (design.pixelSize() > 0) {
        f.setPixelSize(
            std::max(1, design.pixelSize() + static_cast<int>(growth(design.pixelSize()))));
    }
    return f;
}

UserScale::UserScale(double x1, double y1, double x2, double y2, QSizeF innerPixels)
    : m_twips(false), m_x1(x1), m_y1(y1), m_x2(x2), m_y2(y2), m_inner(innerPixels) {}

UserScale UserScale::twips(QSizeF innerPixels) {
    UserScale s;
    s.setInnerPixels(innerPixels);
    return s;
}

void UserScale::setInnerPixels(QSizeF inner) {
    m_inner = inner;
    if (m_twips) {
        m_x1 = 0;
        m_y1 = 0;
        m_x2 = pixelsToTwips(inner.width());
        m_y2 = pixelsToTwips(inner.height());
    }
}

double UserScale::xToPixels(double x) const {
    if (m_twips) {
        return twipsToPixels(x);
    }
    return (x - m_x1) / (m_x2 - m_x1) * m_inner.width();
}

double UserScale::yToPixels(double y) const {
    if (m_twips) {
        return twipsToPixels(y);
    }
    return (y - m_y1) / (m_y2 - m_y1) * m_inner.height();
}

double UserScale::xFromPixels(double px) const {
    if (m_twips) {
        return pixelsToTwips(px);
    }
    return m_x1 + px / m_inner.width() * (m_x2 - m_x1);
}

double UserScale::yFromPixels(double py) const {
    if (m_twips) {
        return pixelsToTwips(py);
    }
    return m_y1 + py / m_inner.height() * (m_y2 - m_y1);
}

double UserScale::widthFromPixels(double px) const {
    return m_twips ? pixelsToTwips(px) : std::fabs(px / m_inner.width() * (m_x2 - m_x1));
}

double UserScale::heightFromPixels(double py) const {
    return m_twips ? pixelsToTwips(py) : std::fabs(py / m_inner.height() * (m_y2 - m_y1));
}

QPointF UserScale::toDrawPixels(QPointF user) const {
    if (m_twips) {
        return {twipsToPixels(user.x()), twipsToPixels(user.y())};
    }
    const double lastX = std::max(0.0, m_inner.width() - 1);
    const double lastY = std::max(0.0, m_inner.height() - 1);
    return {(user.x() - m_x1) / (m_x2 - m_x1) * lastX, (user.y() - m_y1) / (m_y2 - m_y1) * lastY};
}

} // namespace rb
