// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/spokenstate.h"

#include "window/form1.h"
#include "window/runtime/accessibility.h"
#include "window/runtime/numtext.h"

#include <QShortcut>

#include <cmath>

namespace rb {

namespace {

// Hundredths rounded down, like the stock displays ("2459" for 24.597).
QString fish(double stock) {
    return decimalComma(std::floor(stock * 100) / 100, 2);
}

// A stock display's description reads out the number it shows: "…, mal 100: 416 sind 4,16
// Beutefische"; before the first generation it says that none has been computed.
void describeShownStock(TextBox* display, const QString& fishes) {
    const QString design = display->accessibleDescription();
    setLiveDescription(display, [display, design, fishes] {
        const QString shown = display->text();
        bool number = false;
        const double hundredths = shown.toDouble(&number);
        if (shown.isEmpty()) {
            return QStringLiteral("noch keine Generation berechnet");
        }
        return number ? QStringLiteral("%1: %2 sind %3 %4")
                            .arg(design, shown, decimalComma(hundredths / 100, 2), fishes)
                      : design;
    });
}

} // namespace

QString stateSentence(const Form1& f) {
    return QStringLiteral("Generation %1, %2 Beutefische, %3 Räuber, %4")
        .arg(f.generation)
        .arg(fish(f.stock1), fish(f.stock2),
             f.stopped ? QStringLiteral("angehalten") : QStringLiteral("läuft"));
}

void connectSpokenState(Form1& f) {
    f.setAccessibleDescription(QStringLiteral("Die Taste %1 sagt den Stand der Simulation an: "
                                              "Generation, Beutefische, Räuber und ob sie läuft")
                                   .arg(QLatin1String(kStateKey)));
    // A window shortcut: it works while any control of the window has the focus, text boxes
    // included, and leaves the focus where it is.
    auto* key = new QShortcut(QKeySequence(QString::fromLatin1(kStateKey)), &f);
    QObject::connect(key, &QShortcut::activated, &f, [&f] { announce(&f, stateSentence(f)); });
    QObject::connect(f.Command2, &QAbstractButton::clicked, &f,
                     [&f] { announce(&f, stateSentence(f)); });
    describeShownStock(f.txtFisch1Bestand, QStringLiteral("Beutefische"));
    describeShownStock(f.txtFisch2Bestand, QStringLiteral("Raubfische"));
}

} // namespace rb
