// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading drawn lines back from a picture box's persistent drawing. The canvas holds device
// pixels (logical pixels times the device pixel ratio); UserScale::toDrawPixels gives the
// logical pixel a user point is drawn on, and devicePixel() the device pixel that lies under
// that pixel's centre.

#include "window/runtime/picturebox.h"
#include "window/runtime/userscale.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRgb>
#include <QString>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace chartstest {

// The device pixel under the centre of logical draw pixel `drawPixel` (fractional index).
inline int devicePixel(double drawPixel, qreal dpr) {
    return static_cast<int>(std::floor((drawPixel + 0.5) * dpr));
}

// Device column and row of the pixel a user point is drawn on.
inline int deviceColumn(const rb::PictureBox* box, double x, double y) {
    return devicePixel(box->scale().toDrawPixels(QPointF(x, y)).x(),
                       box->canvas().devicePixelRatio());
}
inline int deviceRow(const rb::PictureBox* box, double x, double y) {
    return devicePixel(box->scale().toDrawPixels(QPointF(x, y)).y(),
                       box->canvas().devicePixelRatio());
}

// The colour of a device pixel, opaque (as qRgb() gives it).
inline QRgb pixelAt(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return qRgb(qRed(p), qGreen(p), qBlue(p));
}

inline bool columnIs(const QImage& image, int x, QRgb colour) {
    for (int y = 0; y < image.height(); ++y) {
        if (pixelAt(image, x, y) != colour) {
            return false;
        }
    }
    return true;
}

inline bool rowIs(const QImage& image, int y, QRgb colour) {
    for (int x = 0; x < image.width(); ++x) {
        if (pixelAt(image, x, y) != colour) {
            return false;
        }
    }
    return true;
}

// A run of neighbouring device columns (or rows) that are wholly one colour: one drawn line.
struct Run {
    int first;
    int length;
    bool contains(int k) const { return k >= first && k < first + length; }
};

// Runs of columns (vertical == true) or rows that are wholly `colour`, left to right or top
// to bottom.
inline QList<Run> fullRuns(const QImage& image, bool vertical, QRgb colour) {
    QList<Run> runs;
    const int n = vertical ? image.width() : image.height();
    for (int k = 0; k < n; ++k) {
        const bool full = vertical ? columnIs(image, k, colour) : rowIs(image, k, colour);
        if (!full) {
            continue;
        }
        if (!runs.isEmpty() && runs.last().first + runs.last().length == k) {
            ++runs.last().length;
        } else {
            runs.append({k, 1});
        }
    }
    return runs;
}

// How many pixels have a colour other than the given two.
inline int pixelsOtherThan(const QImage& image, QRgb a, QRgb b) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = pixelAt(image, x, y);
            if (p != a && p != b) {
                ++n;
            }
        }
    }
    return n;
}

// Whether each run holds exactly one of the device pixels, in order: one line each.
inline bool oneLinePerRun(const QList<Run>& runs, QList<int> pixels) {
    std::sort(pixels.begin(), pixels.end());
    if (runs.size() != pixels.size()) {
        return false;
    }
    for (int k = 0; k < runs.size(); ++k) {
        if (!runs.at(k).contains(pixels.at(k))) {
            return false;
        }
    }
    return true;
}

// A diagram's grid lines: one line of width 1 across the whole drawing at each value
// from..to in `step` (x values for vertical lines, y values for horizontal ones), `count` in
// all. `across` is the other coordinate of the point whose pixel a line must hold.
inline void checkGridLines(const rb::PictureBox* d, bool vertical, int from, int to, int step,
                           double across, int count, QRgb grid) {
    const QImage& canvas = d->canvas();
    const qreal dpr = canvas.devicePixelRatio();
    // A line is a run of columns (rows) wholly in the grid colour: it spans the whole diagram.
    const QList<Run> runs = fullRuns(canvas, vertical, grid);
    QList<int> expected;
    for (int v = from; v <= to; v += step) {
        expected << (vertical ? deviceColumn(d, v, across) : deviceRow(d, across, v));
    }
    QCOMPARE(expected.size(), count);
    QCOMPARE(runs.size(), count);
    QVERIFY(oneLinePerRun(runs, expected));
    for (const Run& run : runs) {
        QVERIFY(run.length <= static_cast<int>(std::ceil(dpr))); // drawn with width 1
    }
}

// A grid line lies on the drawing's "top", "bottom", "left" or "right" edge.
inline void checkGridOnEdge(const QImage& canvas, const QString& edge, QRgb grid) {
    if (edge == QLatin1String("top")) {
        QVERIFY(rowIs(canvas, 0, grid));
    } else if (edge == QLatin1String("bottom")) {
        QVERIFY(rowIs(canvas, canvas.height() - 1, grid));
    } else if (edge == QLatin1String("left")) {
        QVERIFY(columnIs(canvas, 0, grid));
    } else {
        QVERIFY(columnIs(canvas, canvas.width() - 1, grid));
    }
}

} // namespace chartstest
