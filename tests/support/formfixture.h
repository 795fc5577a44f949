// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real window for tests: built, connected and loaded exactly as the program does it, with
// the random source seeded so that scattering and turns repeat, and with an end hook that
// records the end instead of leaving the test program.

#include "control/startup.h"
#include "model/generationtick.h"
#include "window/form1.h"
#include "window/layout.h"
#include "window/runtime/fonts.h"
#include "window/runtime/random.h"
#include "window/runtime/translation.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace rbtest {

struct LoadedForm {
    std::unique_ptr<rb::Form1> form;
    int ends = 0; // how often the program tried to end

    rb::Form1& operator*() const { return *form; }
    rb::Form1* operator->() const { return form.get(); }
};

// seed: the value ResetAquarium's reseeding uses instead of the time of day.
inline std::unique_ptr<LoadedForm> loadForm(std::uint64_t seed = 1) {
    rb::installFontSubstitutes();
    static const bool translated =
        rb::installQtTranslation(QString::fromLatin1(rb::windowDesign().language));
    Q_UNUSED(translated);
    rb::Random::shared().fixSeed(seed);
    auto loaded = std::make_unique<LoadedForm>();
    loaded->form = std::make_unique<rb::Form1>();
    LoadedForm* raw = loaded.get();
    loaded->form->setEndHook([raw] { ++raw->ends; });
    rb::connectHandlers(*loaded->form);
    rb::Form1_Load(*loaded->form);
    return loaded;
}

// Sets a slider so that its change handler runs, also when it already shows the value.
inline void setSlider(rb::ScrollBar* bar, int value) {
    if (bar->value() == value) {
        bar->setValue(value == 0 ? 1 : 0);
    }
    bar->setValue(value);
}

// The two stocks as the window holds them, to compare in one line: the stock sliders, their
// boxes and the model's stocks, e.g. "sliders 20 12, boxes 20 12, stocks 20 12".
inline QString shownStocks(const rb::Form1& f) {
    return QStringLiteral("sliders %1 %2, boxes %3 %4, stocks %5 %6")
        .arg(f.HScroll1->value())
        .arg(f.HScroll2->value())
        .arg(f.txtFisch1->text(), f.txtFisch2->text())
        .arg(f.stock1)
        .arg(f.stock2);
}

// One generation tick of a running simulation.
inline void tick(rb::Form1& f) {
    f.stopped = false;
    rb::GenerationTick(f);
}

// How many numbers were drawn from the random source between two copies of it, or -1 when
// more than `look`.
inline int drawsBetween(rb::Random before, rb::Random after, int look = 64) {
    std::vector<double> sequence;
    for (int k = 0; k < look + 2; ++k) {
        sequence.push_back(before.next());
    }
    const double a0 = after.next();
    const double a1 = after.next();
    for (int k = 0; k <= look; ++k) {
        if (sequence[static_cast<std::size_t>(k)] == a0 &&
            sequence[static_cast<std::size_t>(k + 1)] == a1) {
            return k;
        }
    }
    return -1;
}

} // namespace rbtest
