// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/parameters.h"

#include "window/form1.h"
#include "window/runtime/numtext.h"

#include <QAction>

namespace rb {

void applyPreset(Form1& f, const Preset& preset) {
    f.VScroll1->setValue(preset.growthRate);
    f.VScroll2->setValue(preset.propFactor);
    f.VScroll3->setValue(preset.voracity);
    f.VScroll4->setValue(preset.deathRate);
}

void connectParameters(Form1& f) {
    // Only Change is handled: a dragged thumb writes its box when it is released.
    const auto spinner = [&f](ScrollBar* bar, TextBox* box) {
        QObject::connect(bar, &ScrollBar::change, &f,
                         [bar, box] { box->setText(wholeToDigits(bar->value())); });
    };
    spinner(f.VScroll1, f.txtF1p);
    spinner(f.VScroll2, f.txtF2W);
    spinner(f.VScroll3, f.txtF2fress);
    spinner(f.VScroll4, f.txtF2sterb);

    const auto preset = [&f](QAction* entry, const Preset& values) {
        QObject::connect(entry, &QAction::triggered, &f, [&f, values] { applyPreset(f, values); });
    };
    preset(f.cmdZyk, kLargeCycle);
    preset(f.cmdKleinZyklus, kSmallCycle);
    preset(f.cmdfix, kFixedPoint);
    preset(f.cmdlabil, kUnstable);
}

} // namespace rb
