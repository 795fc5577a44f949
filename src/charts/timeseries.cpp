// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/timeseries.h"

#include "window/form1.h"
#include "window/runtime/palette.h"

namespace rb {

namespace {
constexpr int kGridColour = kDarkBlue;
constexpr int kCurveWidth = 3; // pixels, left for the generation tick's curves
} // namespace

void DrawDiagramGrid(Form1& f) {
    PictureBox* d = f.picDiagramm;
    for (int y = 0; y <= 100; y += 10) {
        d->setDrawWidth(1);
        d->line(0, y, 800, y, paletteColor(kGridColour));
    }
    for (int x = 0; x <= 800; x += 10) {
        d->setDrawWidth(1);
        d->line(x, 0, x, 100, paletteColor(kGridColour));
    }
    d->setDrawWidth(kCurveWidth);
}

void Command3_Click(Form1& f) {
    f.picDiagramm->cls();
    f.HScroll4->setValue(0);
    f.generation = 0;
    DrawDiagramGrid(f);
}

void HScroll4_Change(Form1& f) {
    f.picDiagramm->setLeft(-static_cast<double>(f.HScroll4->value()));
}

void connectTimeSeries(Form1& f) {
    QObject::connect(f.Command3, &QAbstractButton::clicked, &f, [&f] { Command3_Click(f); });
    QObject::connect(f.HScroll4, &ScrollBar::change, &f, [&f] { HScroll4_Change(f); });
    QObject::connect(f.HScroll4, &ScrollBar::scroll, &f, [&f] { HScroll4_Change(f); });
}

} // namespace rb
