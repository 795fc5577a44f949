// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers for the aquarium tests: the fish of one species, snapshots of their state, exact
// comparison of single-precision positions, and seeds whose draws of the shared random
// source are known in advance (found by replaying the same generator).

#include "window/form1.h"
#include "window/runtime/random.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QTest>

#include <algorithm>
#include <array>
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

// Fish states whose next move without a turn is known, worked out by hand: the four headings
// in open water, a heading into each wall (clamped, never reflected), and a fish sinking past
// the predators' bottom bound 640 (which prey may pass). Each row gives where an odd prey, an
// even prey and a predator end.
struct KnownMove {
    float left, top;
    int code;
    QPointF oddPrey, evenPrey, predator;
};

inline const std::array<KnownMove, 9> kKnownMoves = {{
    {100, 100, 0, {96, 97}, {98, 97}, {96, 96}},
    {100, 100, 1, {104, 97}, {102, 97}, {104, 96}},
    {100, 100, 2, {96, 102}, {98, 102}, {96, 105}},
    {100, 100, 3, {104, 102}, {102, 102}, {104, 105}},
    {1, 300, 2, {0, 302}, {0, 302}, {0, 305}},         // left wall
    {719, 300, 1, {720, 297}, {720, 297}, {720, 296}}, // right wall
    {300, 2, 1, {304, 0}, {302, 0}, {304, 0}},         // top wall
    {300, 719, 2, {296, 720}, {298, 720}, {296, 640}}, // bottom wall
    {718.5f, 637.5f, 3, {720, 639.5}, {720, 639.5}, {720, 640}},
}};

// The row of fish k: prey in pairs (odd and even), predators one by one, round the table.
inline const KnownMove& knownMove(Species s, int k) {
    const int row = s == Species::Prey ? (k - 1) / 2 : k - 1;
    return kKnownMoves[static_cast<std::size_t>(row) % kKnownMoves.size()];
}

inline QPointF knownEnd(const KnownMove& m, Species s, int k) {
    return s == Species::Predator ? m.predator : (k % 2 == 1 ? m.oddPrey : m.evenPrey);
}

// Puts every fish 1..N of both species into the state of its row; returns the snapshot.
inline Aquarium placeKnown(rb::Form1& f) {
    for (Species s : {Species::Prey, Species::Predator}) {
        for (int k = 1; k <= fishCount(s); ++k) {
            const KnownMove& m = knownMove(s, k);
            fish(f, s, k)->move(m.left, m.top);
            fish(f, s, k)->setTag(QString::number(m.code));
        }
    }
    return snapshot(f);
}

// Every fish moved exactly once from the state placeKnown gave it, no turn drawn; nothing
// else changed.
inline void verifyKnownMoves(const Aquarium& placed, const Aquarium& after) {
    for (Species s : {Species::Prey, Species::Predator}) {
        QCOMPARE(after.of(s)[0], placed.of(s)[0]); // picture 0 never moves
        for (int k = 1; k <= fishCount(s); ++k) {
            const QPointF end = knownEnd(knownMove(s, k), s, k);
            const FishState& b = after.of(s)[k];
            RB_COMPARE_EXACT(b.left, end.x());
            RB_COMPARE_EXACT(b.top, end.y());
            QCOMPARE(b.tag, placed.of(s)[k].tag);
            QCOMPARE(b.picture, placed.of(s)[k].picture);
            QCOMPARE(b.visible, placed.of(s)[k].visible);
        }
    }
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
