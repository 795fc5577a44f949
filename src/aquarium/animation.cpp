// SPDX-License-Identifier: GPL-3.0-or-later
#include "aquarium/animation.h"

#include "aquarium/aquarium.h"
#include "window/form1.h"
#include "window/runtime/accessibility.h"
#include "window/runtime/eventloop.h"
#include "window/runtime/numtext.h"
#include "window/runtime/random.h"

#include <cmath>

namespace rb {

namespace {

constexpr int kPreyTurnChance = 48;     // one pass in 48 draws a new heading
constexpr int kPredatorTurnChance = 10; // one pass in 10
constexpr float kRightBound = 720;
constexpr float kPreyBottomBound = 720;
constexpr float kPredatorBottomBound = 640;

// Heading code: bit 0 set = moving right, bit 1 set = moving down.
bool movingRight(int code) {
    return (code & 1) != 0;
}
bool movingDown(int code) {
    return (code & 2) != 0;
}

int headingOf(const Image* fish) {
    return static_cast<int>(leadingNumber(QStringView(fish->tag())));
}

struct Steps {
    int left, right, up, down;
};

// Draws a turn; on a new heading whose horizontal direction differs, the fish gets the
// picture facing the new way. Returns the heading to move by.
template <typename PictureFor> int maybeTurn(Image* fish, int chance, PictureFor pictureFor) {
    const int turnRoll = static_cast<int>(std::floor(rnd() * chance));
    if (turnRoll == 0) {
        const int code = static_cast<int>(std::floor(rnd() * 4));
        if (movingRight(headingOf(fish)) != movingRight(code)) {
            fish->setPicture(pictureFor(movingRight(code)));
        }
        fish->setTag(QString::number(code));
    }
    return headingOf(fish);
}

void step(Image* fish, int heading, const Steps& s, float bottomBound) {
    const int stepX = movingRight(heading) ? s.right : -s.left;
    const int stepY = movingDown(heading) ? s.down : -s.up;
    float left = fish->left() + static_cast<float>(stepX);
    if (left < 0) {
        left = 0;
    }
    if (left > kRightBound) {
        left = kRightBound;
    }
    float top = fish->top() + static_cast<float>(stepY);
    if (top < 0) {
        top = 0;
    }
    if (top > bottomBound) {
        top = bottomBound;
    }
    fish->move(left, top);
}

} // namespace

void movePrey(Form1& f, int k) {
    Image* fish = f.imgFisch1[static_cast<std::size_t>(k)];
    const bool odd = k % 2 == 1;
    // Odd prey wear the first look (bildfisch 0 / 2), even prey the second (1 / 3).
    const int heading = maybeTurn(fish, kPreyTurnChance, [&f, odd](bool right) {
        const std::size_t source = odd ? (right ? 2 : 0) : (right ? 3 : 1);
        return f.bildfisch[source]->picture();
    });
    const int sideways = 2 * ((k % 2) + 1);
    step(fish, heading, {sideways, sideways, 3, 2}, kPreyBottomBound);
}

void movePredator(Form1& f, int k) {
    Image* fish = f.imgFisch2[static_cast<std::size_t>(k)];
    const int heading = maybeTurn(fish, kPredatorTurnChance,
                                  [&f](bool right) { return f.Image1[right ? 0 : 1]->picture(); });
    step(fish, heading, {4, 4, 4, 5}, kPredatorBottomBound);
}

void animationPass(Form1& f) {
    for (int k = 1; k <= kPreyPictures; ++k) {
        movePrey(f, k);
    }
    for (int k = 1; k <= kPredatorPictures; ++k) {
        movePredator(f, k);
    }
}

void Command1_Click(Form1& f) {
    if (f.animating || f.hasEnded()) {
        return; // the loop already runs; a nested second loop would serve no one
    }
    f.stopped = false;
    f.animating = true;
    // The boxes and sliders change with every generation: a screen reader hears them paced.
    setNotificationsPaced(true);
    FramePacer pacer(kPassesPerSecond);
    pacer.setWindow(&f);
    QObject::connect(&f, &Form::ending, &pacer, &FramePacer::interrupt);
    for (;;) {
        pacer.yield();
        if (f.hasEnded()) {
            break; // abandoned where it stands: no further handler or pass
        }
        animationPass(f);
        emit f.animationPassed();
        if (f.stopped) {
            break;
        }
    }
    f.animating = false;
}

void Command2_Click(Form1& f) {
    f.stopped = true;
    // What was held back goes out now, before anything is said of the stop.
    setNotificationsPaced(false);
}

void connectAnimation(Form1& f) {
    QObject::connect(f.Command1, &QAbstractButton::clicked, &f, [&f] { Command1_Click(f); });
    QObject::connect(f.Command2, &QAbstractButton::clicked, &f, [&f] { Command2_Click(f); });
}

} // namespace rb
