#pragma once

// The real window for tests: built, connected and loaded exactly as the program does it, with
// the random source seeded so that scattering and turns repeat, and with an end hook that
// records the end instead of leaving the test program.

#include "control/startup.h"
#include "window/runtime/fonts.h"
#include "window/form1.h"
#include "window/layout.h"
#include "window/runtime/random.h"
#include "window/runtime/translation.h"

#include <cstdint>
#include <memory>

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
        rb::installQtTranslation(QString::fromLatin1(rb::windowSpec().language));
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

} // namespace rbtest
