// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers for the aquarium tests: the fish of one species, snapshots of their state, exact
// comparison of single-precision positions, and seeds whose draws of the shared random
// source are known in advance (found by replaying the same generator).

#include "window/form1.h"
#include "window/runtime/random.h"

#include <QList>
#include <QString>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdint>

// Positions are single-precision numbers kept exactly as computed: compare them exactly, with
// all the digits a float needs in the failure message.
#define RB_COMPARE_EXACT(actual, expected)                                                         \
    QCOMPARE(QString::number(static_cast<double>(actual), 'g', 9),                                 \
             QString::number(static_cast<double>(expected), 'g', 9))

namespace rbtest {

enum class Species { Prey = 1, Predator = 2 };

// Usable pictures of a species (index 0 is never shown).
inline int fishCount(Species s) {
    return s == Species::Prey ? 32 : 24;
}

inline rb::Image* fish(const rb::Form1& f, Species s, int k) {
    return s == Species::Prey ? f.imgFisch1[static_cast<std::size_t>(k)]
                              : f.imgFisch2[static_cast<std::size_t>(k)];
}

inline rb::ScrollBar* stockSlider(const rb::Form1& f, Species s) {
    return s == Species::Prey ? f.HScroll1 : f.HScroll2;
}

inline rb::TextBox* stockText(const rb::Form1& f, Species s) {
    return s == Species::Prey ? f.txtFisch1 : f.txtFisch2;
}

inline double stockOf(const rb::Form1& f, Species s) {
    return s == Species::Prey ? f.stock1 : f.stock2;
}

inline Species other(Species s) {
    return s == Species::Prey ? Species::Predator : Species::Prey;
}

// The indices of the visible pictures of a species, 0 included when it shows.
inline QList<int> visibleFish(const rb::Form1& f, Species s) {
    QList<int> visible;
    for (int k = 0; k <= fishCount(s); ++k) {
        if (fish(f, s, k)->isVisible()) {
            visible.append(k);
        }
    }
    return visible;
}

inline QList<int> range(int from, int to) {
    QList<int> r;
    for (int k = from; k <= to; ++k) {
        r.append(k);
    }
    return r;
}

struct FishState {
    float left = 0;
    float top = 0;
    QString tag;
    qint64 picture = 0; // cacheKey: pictures shared between controls have the same key
    bool visible = false;

    bool operator==(const FishState&) const = default;
};

inline FishState stateOf(const rb::Image* image) {
    return {image->left(), image->top(), image->tag(), image->picture().cacheKey(),
            image->isVisible()};
}

// Every picture 0..N of both species: prey first, then predators.
struct Aquarium {
    QList<FishState> prey;
    QList<FishState> predators;

    const QList<FishState>& of(Species s) const { return s == Species::Prey ? prey : predators; }
    bool operator==(const Aquarium&) const = default;
};

inline Aquarium snapshot(const rb::Form1& f) {
    Aquarium a;
    for (int k = 0; k <= 32; ++k) {
        a.prey.append(stateOf(f.imgFisch1[static_cast<std::size_t>(k)]));
    }
    for (int k = 0; k <= 24; ++k) {
        a.predators.append(stateOf(f.imgFisch2[static_cast<std::size_t>(k)]));
    }
    return a;
}

// One step of fish k of a species with a heading code, clamped to the aquarium's bounds:
// prey move 4 (odd) or 2 (even) sideways, rise 3, sink 2, and stay within 0..720 both ways;
// predators move 4 sideways, rise 4, sink 5, and keep their Top within 0..640.
inline QPointF steppedFrom(Species s, int k, float left, float top, int code) {
    const bool right = (code & 1) != 0;
    const bool down = (code & 2) != 0;
    int dx = 0;
    int dy = 0;
    float bottom = 720;
    if (s == Species::Prey) {
        dx = k % 2 == 1 ? 4 : 2;
        dy = down ? 2 : -3;
    } else {
        dx = 4;
        dy = down ? 5 : -4;
        bottom = 640;
    }
    const float x = std::clamp(left + static_cast<float>(right ? dx : -dx), 0.0f, 720.0f);
    const float y = std::clamp(top + static_cast<float>(dy), 0.0f, bottom);
    return {x, y};
}

// Whether a draw of the turn roll starts a new heading: prey one in 48, predators one in 10.
inline int turnChance(Species s) {
    return s == Species::Prey ? 48 : 10;
}

inline bool turns(double draw, Species s) {
    return static_cast<int>(std::floor(draw * turnChance(s))) == 0;
}

inline int codeOf(double draw) {
    return static_cast<int>(std::floor(draw * 4));
}

// The turns a seeded pass draws: per fish, prey 1..32 then predators 1..24, one draw for the
// turn roll and one more for the new heading on a turn. -1 where a fish does not turn.
struct PassDraws {
    QList<int> prey = QList<int>(33, -1);
    QList<int> predators = QList<int>(25, -1);

    int newCode(Species s, int k) const { return s == Species::Prey ? prey[k] : predators[k]; }
    int turnCount(Species s) const {
        const auto& list = s == Species::Prey ? prey : predators;
        return static_cast<int>(
            std::count_if(list.begin(), list.end(), [](int c) { return c >= 0; }));
    }
};

inline QList<PassDraws> replayPasses(std::uint64_t seed, int passes) {
    rb::Random r;
    r.seed(seed);
    QList<PassDraws> result;
    for (int p = 0; p < passes; ++p) {
        PassDraws d;
        for (Species s : {Species::Prey, Species::Predator}) {
            for (int k = 1; k <= fishCount(s); ++k) {
                if (turns(r.next(), s)) {
                    (s == Species::Prey ? d.prey : d.predators)[k] = codeOf(r.next());
                }
            }
        }
        result.append(d);
    }
    return result;
}

// The first seed from `from` on whose next `passes` passes draw no turn at all.
inline std::uint64_t seedWithoutTurns(int passes, std::uint64_t from = 1) {
    for (std::uint64_t seed = from;; ++seed) {
        const QList<PassDraws> draws = replayPasses(seed, passes);
        if (std::all_of(draws.begin(), draws.end(), [](const PassDraws& d) {
                return d.turnCount(Species::Prey) == 0 && d.turnCount(Species::Predator) == 0;
            })) {
            return seed;
        }
    }
}

// The first seed whose next draws make a single move of a fish of species s turn to `code`.
inline std::uint64_t seedForTurn(Species s, int code) {
    for (std::uint64_t seed = 1;; ++seed) {
        rb::Random r;
        r.seed(seed);
        if (turns(r.next(), s) && codeOf(r.next()) == code) {
            return seed;
        }
    }
}

// The first seed whose next `moves` draws let a fish of species s move without a turn.
inline std::uint64_t seedWithoutTurnsFor(Species s, int moves) {
    for (std::uint64_t seed = 1;; ++seed) {
        rb::Random r;
        r.seed(seed);
        bool turned = false;
        for (int m = 0; m < moves && !turned; ++m) {
            turned = turns(r.next(), s);
        }
        if (!turned) {
            return seed;
        }
    }
}

} // namespace rbtest
