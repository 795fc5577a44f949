// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/generationtick.h"

#include "charts/timeseries.h"
#include "model/populationmodel.h"
#include "window/form1.h"
#include "window/runtime/numtext.h"
#include "window/runtime/palette.h"
#include "window/runtime/random.h"
#include "window/runtime/rounding.h"

#include <algorithm>
#include <cmath>

namespace rb {

namespace {

constexpr int kPreyColour = kYellow;
constexpr int kPredatorColour = kLightBlue;
constexpr int kTrajectoryColour = kCyan;
constexpr int kDotColour = kYellow;
constexpr int kDotWidth = 4; // pixels
constexpr long long kAutoRestart = 800;
constexpr long long kScrollFrom = 240; // generations after this one scroll the strip
constexpr int kScrollStep = 40;        // twips a generation

double parameter(const TextBox* box) {
    return leadingNumber(QStringView(box->text()));
}

// A stock that is not a finite number (absurd typed parameters) counts as died out.
double sane(double stock) {
    return std::isfinite(stock) ? stock : 0.0;
}

// 100 * stock rounded down, as digits. A stock so large that 100 times it overflows is a
// whole number already, so its digits followed by "00" are exact.
QString stockText(double stock) {
    const double hundredfold = 100 * stock;
    if (!std::isfinite(hundredfold) && std::isfinite(stock)) {
        return wholeToDigits(stock) + QStringLiteral("00");
    }
    return wholeToDigits(std::floor(hundredfold));
}

// Feeding display: n + 1 randomly picked predator pictures (of the new predator stock) get
// the eating picture that faces their way and come to the front.
void showFeeding(Form1& f, double eaten, double newStock2) {
    const int n = roundHalfEven(eaten);
    const int picks = std::clamp(n, 0, kMaxFeedingPicks - 1) + 1;
    for (int pick = 0; pick < picks; ++pick) {
        const int j = std::clamp(roundDown(rnd() * newStock2 + 1), 1, kPredatorFish);
        Image* fish = f.imgFisch2[static_cast<std::size_t>(j)];
        const int h = static_cast<int>(leadingNumber(QStringView(fish->tag())));
        const int k = roundHalfEven(1.0 - h) & 1; // odd code (moving right): picture 0
        fish->setPicture(f.imgfress[static_cast<std::size_t>(k)]->picture());
        fish->zOrder();
    }
}

// A marker coordinate in single precision. Stocks are finite, but absurd typed parameters can
// make them too large for a float (an undefined conversion): such a stock parks the marker far
// outside the diagram. Stocks of the model's own range are not touched.
float markerCoordinate(double v) {
    constexpr double kFar = 1e6;
    return static_cast<float>(std::clamp(v, -kFar, kFar));
}

void drawTimeSeries(Form1& f, double newStock1, double newStock2) {
    if (f.generation > kScrollFrom) {
        PictureBox* strip = f.picDiagramm;
        strip->setLeft(strip->left() - kScrollStep);
        const int before = f.HScroll4->value();
        f.HScroll4->setValue(before + kScrollStep); // its handler sets Left to -Value
        if (f.HScroll4->value() == before) {
            strip->setLeft(-before); // at the slider's end: keep the strip where it shows
        }
    }
    const double g = static_cast<double>(f.generation);
    f.picDiagramm->line(g - 1, f.stock1 / kPreyCapacity * 100, g, newStock1 / kPreyCapacity * 100,
                        paletteColor(kPreyColour));
    f.picDiagramm->line(g - 1, f.stock2 / kPredatorMaximum * 100, g,
                        newStock2 / kPredatorMaximum * 100, paletteColor(kPredatorColour));
}

void drawTrajectory(Form1& f, double newStock1, double newStock2) {
    PictureBox* d = f.picphase;
    // A dot in the colour and width left by the previous drawing. The same dot is drawn over
    // it last, so it only shows where that colour or width differs (after a start or a
    // clear); then alone it is drawn.
    if (d->drawWidth() != kDotWidth || d->foreColor() != paletteColor(kDotColour)) {
        d->pset(newStock2, newStock1);
    }
    d->setDrawWidth(1);
    d->line(f.stock2, f.stock1, newStock2, newStock1, paletteColor(kTrajectoryColour));
    d->setDrawWidth(kDotWidth);
    d->setForeColor(paletteColor(kDotColour));
    d->pset(f.stock2, f.stock1);
    d->pset(newStock2, newStock1);
}

} // namespace

void GenerationTick(Form1& f) {
    if (f.stopped) {
        return;
    }
    ++f.generation;
    f.Text2->setText(QStringLiteral("Generation") +
                     numberToText(static_cast<double>(f.generation)));

    ModelParameters p;
    p.growthRate = parameter(f.txtF1p);
    p.voracity = parameter(f.txtF2fress);
    p.propFactor = parameter(f.txtF2W);
    p.deathRate = parameter(f.txtF2sterb);
    const GenerationResult r = NextGeneration(f.stock1, f.stock2, p);
    const double newStock1 = sane(r.newStock1);
    const double newStock2 = sane(r.newStock2);

    if (r.eaten > 0) {
        showFeeding(f, r.eaten, newStock2);
    }

    if (f.generation >= kAutoRestart && f.Check1->value() == 1) {
        Command3_Click(f);
    }
    if (f.generation < kAutoRestart) {
        drawTimeSeries(f, newStock1, newStock2);
    }
    drawTrajectory(f, newStock1, newStock2);

    f.imgtarget->move(markerCoordinate(newStock2 - 1), markerCoordinate(newStock1 + 1));
    f.txtFisch1Bestand->setText(stockText(newStock1));
    f.txtFisch2Bestand->setText(stockText(newStock2));

    // The slider handlers set whole stocks; the commits after them keep the fractions.
    f.HScroll1->setValue(std::clamp(roundHalfEven(newStock1), 0, kPreyFish));
    f.stock1 = newStock1;
    f.HScroll2->setValue(std::clamp(roundHalfEven(newStock2), 0, kPredatorFish));
    f.stock2 = newStock2;
}

} // namespace rb
