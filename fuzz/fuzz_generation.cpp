// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: generation ticks of the real window, loaded as the program does it and
// kept offscreen, with arbitrary parameter texts and stocks (see checks.h for the input).

#include "checks.h"
#include "support/formfixture.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

QApplication* application = nullptr;
rbtest::LoadedForm* loaded = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Both live until the process ends, as in the program.
    application = new QApplication(*argc, *argv);
    loaded = rbtest::loadForm(3).release();
    (*loaded)->Timer1->setEnabled(false); // ticks come from the inputs only
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = rbfuzz::checkGeneration(**loaded, data, size);
    if (!fault.empty()) {
        std::fprintf(stderr, "GenerationTick: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
