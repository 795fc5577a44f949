// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the leading-number reader on arbitrary bytes.

#include "checks.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = rbfuzz::checkLeadingNumber(data, size);
    if (!fault.empty()) {
        std::fprintf(stderr, "leadingNumber: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
