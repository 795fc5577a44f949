// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Places of the form at a zoom: where a control lies in the client area, and where a point of
// a picture box's user units is drawn in its persistent drawing.

#include "window/runtime/container.h"
#include "window/runtime/lightcontrol.h"
#include "window/runtime/picturebox.h"

#include <QRect>
#include <QWidget>

#include <cmath>

namespace rbtest {

// A design rectangle in twips as pixels at a zoom: 15 twips a pixel at 100 %.
inline QRectF twipsAtZoom(double left, double top, double width, double height, double zoom) {
    const double k = zoom / 15.0;
    return {left * k, top * k, width * k, height * k};
}

// A widget control's or a light control's rectangle in the form's client area.
inline QRect inClient(const QWidget* client, const QObject* control) {
    if (const auto* w = qobject_cast<const QWidget*>(control)) {
        return QRect(w->mapTo(client, QPoint(0, 0)), w->size());
    }
    const auto* light = qobject_cast<const rb::LightControl*>(control);
    const QRect r = light->pixelRect().toAlignedRect();
    return r.translated(light->container()->mapTo(client, QPoint(0, 0)));
}

// Whether every edge of `shown` lies within one pixel of `expected`.
inline bool withinOnePixel(const QRect& shown, const QRectF& expected) {
    const auto near = [](double a, double b) { return std::fabs(a - b) <= 1.0; };
    return near(shown.left(), expected.left()) && near(shown.top(), expected.top()) &&
           near(shown.x() + shown.width(), expected.right()) &&
           near(shown.y() + shown.height(), expected.bottom());
}

// The colour a picture box's persistent drawing holds at a point of its user units.
inline QColor drawnAt(const rb::PictureBox* box, double x, double y) {
    const QPointF p = box->scale().toDrawPixels(QPointF(x, y)) * box->canvas().devicePixelRatio();
    return box->canvas().pixelColor(static_cast<int>(std::floor(p.x() + 0.5)),
                                    static_cast<int>(std::floor(p.y() + 0.5)));
}

} // namespace rbtest
