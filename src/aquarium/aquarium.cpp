// SPDX-License-Identifier: GPL-3.0-or-later
#include "aquarium/aquarium.h"

#include "window/form1.h"
#include "window/runtime/numtext.h"
#include "window/runtime/random.h"

namespace rb {

namespace {

// A uniform random position in [0, 720) aquarium units, not rounded.
float scatter() {
    return static_cast<float>(rnd() * 720);
}

template <std::size_t N> void showStock(const std::array<Image*, N>& fish, int n) {
    for (int k = 1; k <= n; ++k) {
        fish[static_cast<std::size_t>(k)]->setVisible(true);
    }
    for (int k = n + 1; k < static_cast<int>(N); ++k) {
        fish[static_cast<std::size_t>(k)]->setVisible(false);
    }
}

} // namespace

void ResetAquarium(Form1& f) {
    f.imgFisch1[0]->setVisible(false);
    f.imgFisch2[0]->setVisible(false);
    Random::shared().randomize();
    for (int k = 1; k <= kPredatorPictures; ++k) {
        Image* fish = f.imgFisch2[static_cast<std::size_t>(k)];
        fish->setVisible(false);
        const float left = scatter();
        const float top = scatter();
        fish->move(left, top);
        fish->setTag(QStringLiteral("1"));
    }
    for (int k = 1; k <= kPreyPictures; ++k) {
        Image* fish = f.imgFisch1[static_cast<std::size_t>(k)];
        fish->setVisible(false);
        const float left = scatter();
        const float top = scatter();
        fish->move(left, top);
        fish->setTag(QStringLiteral("1"));
        fish->zOrder();
    }
    f.imgFisch1[1]->setVisible(true);
    f.stock1 = 1;
    f.stock2 = 0;
}

void assignStartPictures(Form1& f) {
    for (int k = 1; k <= kPreyPictures; ++k) {
        f.imgFisch1[static_cast<std::size_t>(k)]->setPicture(
            f.bildfisch[static_cast<std::size_t>(k % 4)]->picture());
    }
    for (int k = 1; k <= kPredatorPictures; ++k) {
        f.imgFisch2[static_cast<std::size_t>(k)]->setPicture(
            f.Image1[static_cast<std::size_t>(k % 2)]->picture());
    }
}

void HScroll1_Change(Form1& f) {
    const int n = f.HScroll1->value();
    f.txtFisch1->setText(wholeToDigits(n));
    showStock(f.imgFisch1, n);
    f.stock1 = leadingNumber(QStringView(f.txtFisch1->text()));
}

void HScroll2_Change(Form1& f) {
    const int n = f.HScroll2->value();
    f.txtFisch2->setText(wholeToDigits(n));
    showStock(f.imgFisch2, n);
    f.stock2 = leadingNumber(QStringView(f.txtFisch2->text()));
}

void connectAquarium(Form1& f) {
    QObject::connect(f.HScroll1, &ScrollBar::change, &f, [&f] { HScroll1_Change(f); });
    QObject::connect(f.HScroll1, &ScrollBar::scroll, &f, [&f] { HScroll1_Change(f); });
    QObject::connect(f.HScroll2, &ScrollBar::change, &f, [&f] { HScroll2_Change(f); });
    QObject::connect(f.HScroll2, &ScrollBar::scroll, &f, [&f] { HScroll2_Change(f); });
}

} // namespace rb
