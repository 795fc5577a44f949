// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/phasediagram.h"

#include "model/populationmodel.h"
#include "window/form1.h"
#include "window/runtime/accessibility.h"
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

void picphase_ArrowKey(Form1& f, int key) {
    double x = f.HScroll2->value();
    double y = f.HScroll1->value();
    switch (key) {
    case Qt::Key_Up:
        y += 1;
        break;
    case Qt::Key_Down:
        y -= 1;
        break;
    case Qt::Key_Right:
        x += 1;
        break;
    case Qt::Key_Left:
        x -= 1;
        break;
    default:
        return;
    }
    x = std::clamp(x, 0.0, static_cast<double>(kPredatorFish));
    y = std::clamp(y, static_cast<double>(kLowestPrey), static_cast<double>(kPreyFish));
    // Through the diagram's own drag events, so that whoever follows a mouse drop follows
    // this one too.
    emit f.picphase->dragOver(f.imgtarget, x, y, DragState::Over);
    emit f.picphase->dragDrop(f.imgtarget, x, y);
    announce(&f, QStringLiteral("%1 Beutefische, %2 Räuber")
                     .arg(f.HScroll1->value())
                     .arg(f.HScroll2->value()));
}

void connectPhaseDiagram(Form1& f) {
    QObject::connect(f.picphase, &Container::arrowKey, &f,
                     [&f](int key) { picphase_ArrowKey(f, key); });
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
