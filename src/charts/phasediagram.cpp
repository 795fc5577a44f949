// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/phasediagram.h"

#include "model/populationmodel.h"
#include "window/form1.h"
#include "window/runtime/palette.h"
#include "window/runtime/rounding.h"

#include <algorithm>
#include <cmath>

namespace rb {

namespace {
constexpr int kGridColour = kDarkBlue;
constexpr int kLowestPrey = 8; // the diagram's bottom edge

// A point coordinate limited to lo..hi; not-a-number counts as lo.
double limit(double v, double lo, double hi) {
    return std::isnan(v) ? lo : std::clamp(v, lo, hi);
}
} // namespace

void DrawPhaseGrid(Form1& f) {
    PictureBox* d = f.picphase;
    for (int x = 0; x <= kPredatorFish; x += 4) {
        d->setDrawWidth(1);
        d->line(x, kLowestPrey, x, kPreyFish, paletteColor(kGridColour));
    }
    for (int y = kLowestPrey; y <= kPreyFish; y += 4) {
        d->setDrawWidth(1);
        d->line(0, y, kPredatorFish, y, paletteColor(kGridColour));
    }
}

void Command4_Click(Form1& f) {
    f.picphase->cls();
    DrawPhaseGrid(f);
}

void imgtarget_MouseDown(Form1& f) {
    f.imgtarget->drag();
    f.imgtarget->setVisible(true);
}

void picphase_DragOver(Form1& f, QObject*, double x, double y, DragState) {
    f.HScroll1->setValue(roundHalfEven(limit(y, 0, kPreyFish)));
    f.HScroll2->setValue(roundHalfEven(limit(x, 0, kPredatorFish)));
}

void picphase_DragDrop(Form1&, QObject* source, double x, double y) {
    auto* control = qobject_cast<LightControl*>(source);
    if (!control) {
        return;
    }
    const double w = control->width();
    const double h = control->height(); // positive: the marker frames the drop point
    control->move(static_cast<float>(x - w / 2), static_cast<float>(std::floor(y + h / 2)));
    control->setVisible(true);
}

void connectPhaseDiagram(Form1& f) {
    QObject::connect(f.Command4, &QAbstractButton::clicked, &f, [&f] { Command4_Click(f); });
    QObject::connect(f.imgtarget, &Image::mouseDown, &f, [&f] { imgtarget_MouseDown(f); });
    QObject::connect(f.picphase, &Container::dragOver, &f,
                     [&f](QObject* source, double x, double y, DragState state) {
                         picphase_DragOver(f, source, x, y, state);
                     });
    QObject::connect(
        f.picphase, &Container::dragDrop, &f,
        [&f](QObject* source, double x, double y) { picphase_DragDrop(f, source, x, y); });
}

} // namespace rb
