// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chartdescriptions.h"

#include "model/populationmodel.h"
#include "window/form1.h"
#include "window/runtime/accessibility.h"
#include "window/runtime/numtext.h"
#include "window/runtime/userscale.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace rb {

namespace {

constexpr long long kLastGeneration = 800; // the strip's right end; nothing is drawn beyond
constexpr double kLowestPrey = 8;          // the phase diagram's bottom edge

// The generation at a pixel column of the strip (its units: x = generation).
double generationAt(const Form1& f, double stripPixel) {
    return f.picDiagramm->toUserUnits(QPointF(stripPixel, 0)).x();
}

// The strip's Left in pixels, unrounded: its left edge lies this far left of the viewport's.
double stripOffset(const Form1& f) {
    return twipsToPixels(-f.picDiagramm->left());
}

int lastGenerationInView(const Form1& f) {
    const double right = stripOffset(f) + f.Picture2->innerRect().width();
    return static_cast<int>(
        std::min<long long>(std::llround(generationAt(f, right)), kLastGeneration));
}

QString percent(double stock, double full) {
    return decimalComma(stock / full * 100, 1);
}

// A stock in fish, as the stock displays show it (hundredths rounded down).
QString fish(double stock) {
    return decimalComma(std::floor(stock * 100) / 100, 2);
}

} // namespace

int firstGenerationInView(const Form1& f) {
    return static_cast<int>(std::lround(generationAt(f, stripOffset(f))));
}

QString timeSeriesDescription(const Form1& f) {
    QString s = QStringLiteral("Sichtbar: Generation %1 bis %2. ")
                    .arg(firstGenerationInView(f))
                    .arg(lastGenerationInView(f));
    if (f.generation < kLastGeneration) {
        s += QStringLiteral("Generation %1: Beutefische %2 Prozent, Räuber %3 Prozent.")
                 .arg(f.generation)
                 .arg(percent(f.stock1, kPreyCapacity), percent(f.stock2, kPredatorMaximum));
    } else {
        s += QStringLiteral("Generation %1 liegt hinter dem Ende bei 800 und wird nicht "
                            "gezeichnet.")
                 .arg(f.generation);
    }
    return s;
}

QString phaseDiagramDescription(const PhaseMarks& marks) {
    QString s;
    if (marks.drawn) {
        s = QStringLiteral("Letzter Punkt: %1 Beutefische und %2 Räuber")
                .arg(fish(marks.prey), fish(marks.predators));
        if (marks.prey < kLowestPrey) {
            s += QStringLiteral(", unter dem sichtbaren Bereich");
        }
        s += QStringLiteral(". ");
    } else {
        s = QStringLiteral("Noch kein Punkt gezeichnet. ");
    }
    s += QStringLiteral("Die Zielmarke steht bei Beutebestand %1 und Räuberbestand %2.")
             .arg(std::lround(marks.markerPrey))
             .arg(std::lround(marks.markerPredators));
    return s;
}

void connectChartDescriptions(Form1& f) {
    // The design description (axes, units, keys) stays in front.
    const QString timeSeries = f.picDiagramm->accessibleDescription() + QStringLiteral(". ");
    setLiveDescription(f.picDiagramm,
                       [&f, timeSeries] { return timeSeries + timeSeriesDescription(f); });

    // What the phase diagram shows; until the tick or a drop first moves the marker, it
    // stands at its design place, read as the tick would have put it there (upper left corner
    // one unit left of and one unit above the point it frames).
    struct Seen {
        PhaseMarks marks;
        bool markerMoved = false;
    };
    auto seen = std::make_shared<Seen>();
    const QString phase = f.picphase->accessibleDescription() + QStringLiteral(". ");
    setLiveDescription(f.picphase, [&f, seen, phase] {
        PhaseMarks now = seen->marks;
        if (!seen->markerMoved) {
            now.markerPrey = f.imgtarget->top() - 1;
            now.markerPredators = f.imgtarget->left() + 1;
        }
        return phase + phaseDiagramDescription(now);
    });
    // After the tick's own handler: a running tick has drawn the new state and framed it.
    QObject::connect(f.Timer1, &Timer::timer, &f, [&f, seen] {
        if (!f.stopped) {
            seen->marks = {true, f.stock1, f.stock2, f.stock1, f.stock2};
            seen->markerMoved = true;
        }
    });
    // After the drop's own handler: the sliders stand where the last DragOver set them.
    QObject::connect(f.picphase, &Container::dragDrop, &f, [&f, seen] {
        seen->marks.markerPrey = f.HScroll1->value();
        seen->marks.markerPredators = f.HScroll2->value();
        seen->markerMoved = true;
    });
    QObject::connect(f.Command4, &QAbstractButton::clicked, &f,
                     [seen] { seen->marks.drawn = false; });

    setValueText(f.HScroll4,
                 [&f] { return QStringLiteral("ab Generation %1").arg(firstGenerationInView(f)); });
}

} // namespace rb
