// SPDX-License-Identifier: GPL-3.0-or-later
// What the guide for teachers (docs/anleitung.md) and its worksheet (docs/arbeitsblatt.md) say
// about the model, run on the model: every row is one statement, with the words that state it,
// which must stand in one of the two pages. A change of the model or of a page that makes them
// disagree fails here.

#include "control/parameters.h"
#include "model/populationmodel.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

enum Claim {
    // From every start: the stock texts (100 * stock, rounded down) at the end, and the
    // generation from which they no longer change (0: not stated).
    Settles,
    // The stocks at the end in hundredths, rounded: an equilibrium as the guide writes it.
    RestsAt,
    // The generation in which the predators are first 0 (0: none at the start), and the first
    // in which 32 prey fish swim, the rounded stock (-1: never).
    DiesOut,
    // From every start: the rounded lowest and highest prey and predator stocks over the last
    // fifth of the run.
    Swings,
    // The stock texts seen in the whole run: the prey's, then the predators', each ascending.
    Shows,
    // Over the last fifth: how many times the prey peaks, and at how many of these peaks the
    // predators are still growing (the predators lag behind).
    Lags,
    // Over all starts: how many end without predators, the latest generation in which they
    // went, and where given, the stock texts at which all the others end.
    Census,
    // Over all starts, each of three ends: how many end without predators and the latest
    // generation in which they went; how many swing over the last fifth as a given cycle does
    // (rounded lowest and highest prey and predators); how many rest at a given point (the
    // same four figures). A start that ends otherwise fails.
    Fates,
};

rb::ModelParameters preset(const QString& name, const QList<int>& propFactor) {
    rb::Preset p{10, 32, 10, 10}; // the boxes' texts after start-up
    if (name == QLatin1String("gross")) {
        p = rb::kLargeCycle;
    } else if (name == QLatin1String("klein")) {
        p = rb::kSmallCycle;
    } else if (name == QLatin1String("fix")) {
        p = rb::kFixedPoint;
    } else if (name == QLatin1String("labil")) {
        p = rb::kUnstable;
    }
    rb::ModelParameters m;
    m.growthRate = p.growthRate;
    m.propFactor = propFactor.isEmpty() ? p.propFactor : propFactor[0];
    m.voracity = p.voracity;
    m.deathRate = p.deathRate;
    return m;
}

int text(double stock) {
    return static_cast<int>(std::floor(100 * stock));
}

// The two pages as one text, every run of white space one blank (Markdown wraps lines).
QString pages() {
    QString all;
    for (const char* name : {"anleitung.md", "arbeitsblatt.md"}) {
        QFile file(QStringLiteral(RB_DOCS_DIR "/") + QLatin1String(name));
        if (file.open(QIODevice::ReadOnly)) {
            all += QString::fromUtf8(file.readAll()) + QLatin1Char(' ');
        }
    }
    return all.simplified();
}

} // namespace

class TestGuideClaims : public QObject {
    Q_OBJECT

private slots:
    void claim_data();
    void claim();
};

void TestGuideClaims::claim_data() {
    QTest::addColumn<QString>("preset");
    // Empty: the preset's; {W}; or {W, g, W2}: switched to W2 after generation g.
    QTest::addColumn<QList<int>>("propFactor");
    QTest::addColumn<QList<int>>("prey");      // first and last start stock
    QTest::addColumn<QList<int>>("predators"); // first and last start stock
    QTest::addColumn<int>("generations");
    QTest::addColumn<int>("claim");
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<QStringList>("words");
    using L = QList<int>;
    using W = QStringList;
    const L all{8, 32};
    const L anyPredators{1, 24};

    QTest::newRow("start: first generation") //
        << "start" << L{} << L{1, 1} << L{0, 0} << 1 << int(Settles) << L{109, 0, 1}
        << W{"zeigt nach der ersten Generation „109“",
             "Anzeige zeigt nach der 1. Generation „109“"};
    QTest::newRow("start: second generation") //
        << "start" << L{} << L{1, 1} << L{0, 0} << 2 << int(Settles) << L{120, 0, 2}
        << W{"nach der zweiten „120“", "nach der 2. „120“"};
    QTest::newRow("start: third generation") //
        << "start" << L{} << L{1, 1} << L{0, 0} << 3 << int(Settles) << L{131, 0, 3}
        << W{"nach der 3. „131“"};
    QTest::newRow("start: fourth generation") //
        << "start" << L{} << L{1, 1} << L{0, 0} << 4 << int(Settles) << L{144, 0, 4}
        << W{"nach der 4. „144“"};
    QTest::newRow("start: fifth generation") //
        << "start" << L{} << L{1, 1} << L{0, 0} << 5 << int(Settles) << L{158, 0, 5}
        << W{"nach der 5. „158“"};
    QTest::newRow("start: without predators the aquarium fills") //
        << "start" << L{} << L{1, 1} << L{0, 0} << 300 << int(DiesOut) << L{0, 76}
        << W{"bis ab der 76. Generation 32 Fische",
             "Ab der 76. Generation schwimmen 32 Beutefische"};
    QTest::newRow("start: without prey the predators go") //
        << "start" << L{} << L{0, 0} << L{10, 10} << 50 << int(DiesOut) << L{1, -1}
        << W{"ohne Beute sterben die Räuber in der nächsten Generation aus"};

    QTest::newRow("gross: equilibrium") //
        << "gross" << L{} << L{16, 16} << L{12, 12} << 20000 << int(RestsAt) << L{1600, 1200}
        << W{"Nur genau im Gleichgewicht (12 Räuber, 16 Beutefische) bleibt alles stehen",
             "| 12 und 16 |", "16 Beutefische und 12 Räuber bleiben"};
    QTest::newRow("gross: equilibrium, as the boxes show it") //
        << "gross" << L{} << L{16, 16} << L{12, 12} << 20000 << int(Shows) << L{1599, 1600, 1200}
        << W{"springt höchstens zwischen „1600“ und „1599“",
             "kann zwischen „1600“ und „1599“ wechseln"};
    QTest::newRow("gross: one predator off") //
        << "gross" << L{} << L{16, 16} << L{11, 11} << 5000 << int(Swings) << L{10, 23, 3, 24}
        << W{"Beute etwa zwischen 10 und 23, Räuber zwischen 3 und 24",
             "Schon einen Räuber daneben wachsen die Schwingungen",
             "Die Beute schwankt etwa zwischen 10 und 23, die Räuber zwischen 3 und 24"};
    QTest::newRow("gross: one predator off, above") //
        << "gross" << L{} << L{16, 16} << L{13, 13} << 5000 << int(Swings) << L{10, 23, 3, 24}
        << W{"Beute etwa zwischen 10 und 23, Räuber zwischen 3 und 24",
             "Schon einen Räuber daneben wachsen die Schwingungen",
             "Die Beute schwankt etwa zwischen 10 und 23, die Räuber zwischen 3 und 24"};
    QTest::newRow("gross: the predators lag behind") //
        << "gross" << L{} << L{16, 16} << L{11, 11} << 5000 << int(Lags) << L{70, 70}
        << W{"Die gelbe Kurve erreicht ihren Gipfel vor der blauen",
             "Die gelbe Beutekurve erreicht ihren Gipfel zuerst"};
    QTest::newRow("gross: far out") //
        << "gross" << L{} << L{28, 28} << L{2, 2} << 5000 << int(Swings) << L{10, 23, 3, 24}
        << W{"(etwa 2 Räuber und 28 Beutefische)", "Auch diese Bahn endet auf demselben Zyklus"};
    QTest::newRow("gross: census") //
        << "gross" << L{} << all << anyPredators << 5000 << int(Fates)
        << L{19, 5, 580, 1, 10, 23, 3, 24, 16, 16, 12, 12}
        << W{"(580 der 600)", "Von den übrigen 19 Startpunkten aus sterben die Räuber aus",
             "dann spätestens in der 5. Generation",
             "Nur genau im Gleichgewicht (12 Räuber, 16 Beutefische) bleibt alles stehen"};
    QTest::newRow("gross: no extinction above 15 prey") //
        << "gross" << L{} << L{16, 32} << anyPredators << 100 << int(Census) << L{0, -1}
        << W{"nur bei einem Start mit höchstens 15 Beutefischen"};

    QTest::newRow("klein: settles slowly") //
        << "klein" << L{} << L{20, 20} << L{4, 4} << 20000 << int(Settles) << L{1719, 925, 9085}
        << W{"Erst nach etwa 9100 Generationen stehen die Bestandsanzeigen still, bei „1719“ und "
             "„925“"};
    QTest::newRow("klein: equilibrium") //
        << "klein" << L{} << L{20, 20} << L{4, 4} << 20000 << int(RestsAt) << L{1720, 925}
        << W{"etwa 9,25 und 17,20", "(17,20 Beutefische und 9,25 Räuber)"};
    QTest::newRow("klein with 58: a cycle that stays") //
        << "klein" << L{58} << L{20, 20} << L{4, 4} << 20000 << int(Swings) << L{14, 20, 6, 14}
        << W{"von 58 statt 57 bleibt ein echter Zyklus (Beute etwa zwischen 14 und 20)",
             "bei 58 klingen die Schwingungen nicht mehr ab",
             "mit Beute etwa zwischen 14 und 20, und so bleibt er"};
    QTest::newRow("klein, 58 after 1000: the ring grows in about 3000") //
        << "klein" << L{57, 1000, 58} << L{20, 20} << L{4, 4} << 4000 << int(Swings)
        << L{14, 20, 6, 14}
        << W{"Erst nach etwa 3000 Generationen (bei Tempo 1 eine Viertelminute) hat der neue Ring "
             "seine volle Größe, mit Beute etwa zwischen 14 und 20",
             "etwa 1000 Generationen laufen lassen", "noch einmal etwa 3000 Generationen",
             "Erst nach etwa 3000 Generationen hat er seine volle Größe, mit Beute etwa zwischen "
             "14 und 20"};
    QTest::newRow("klein, 58 after 1000: not yet in 1000") //
        << "klein" << L{57, 1000, 58} << L{20, 20} << L{4, 4} << 2000 << int(Swings)
        << L{15, 19, 7, 13} << W{"Erst nach etwa 3000 Generationen"};
    QTest::newRow("klein: census") //
        << "klein" << L{} << all << anyPredators << 20000 << int(Census) << L{74, 6, 1719, 925}
        << W{"insgesamt von 74 der 600"};
    QTest::newRow("klein: at most 9 prey") //
        << "klein" << L{} << L{8, 9} << anyPredators << 100 << int(Census) << L{48, 4}
        << W{"Von allen Startpunkten mit höchstens 9 Beutefischen aus sterben die Räuber aus"};

    QTest::newRow("fix: settles") //
        << "fix" << L{} << L{20, 20} << L{4, 4} << 2000 << int(Settles) << L{2190, 630, 166}
        << W{"ab der 166. Generation zeigen die Bestandsanzeigen „2190“ und „630“",
             "Die Anzeigen zeigen „2190“ und „630“",
             "Die letzte Ziffer ändert sich zuletzt in der 166. Generation"};
    QTest::newRow("fix: equilibrium") //
        << "fix" << L{} << L{20, 20} << L{4, 4} << 2000 << int(RestsAt) << L{2190, 631}
        << W{"etwa 6,31 und 21,90", "bei etwa 6,31 Räubern und 21,90 Beutefischen",
             "x* = 32 · 1,15 / 1,68 ≈ 21,90", "(1 − 21,90/32) / 36 ≈ 6,31"};
    QTest::newRow("fix: other starts end in the same point") //
        << "fix" << L{} << L{16, 16} << L{8, 8} << 2000 << int(Census) << L{0, -1, 2190, 630}
        << W{"etwa 8 Räuber und 16 Beutefische oder 4 Räuber und 28 Beutefische: Diese Bahnen "
             "enden im selben Punkt"};
    QTest::newRow("fix: other starts end in the same point (28, 4)") //
        << "fix" << L{} << L{28, 28} << L{4, 4} << 2000 << int(Census) << L{0, -1, 2190, 630}
        << W{"4 Räuber und 28 Beutefische"};
    QTest::newRow("fix: census") //
        << "fix" << L{} << all << anyPredators << 2000 << int(Census) << L{279, 10, 2190, 630}
        << W{"Von 279 der 600 Startpunkte aus, also von knapp der Hälfte, sterben die Räuber aus",
             "Von allen anderen Startpunkten aus enden die Bahnen im Fixpunkt",
             "spätestens in der 10. Generation"};
    QTest::newRow("fix: at most 13 prey") //
        << "fix" << L{} << L{8, 13} << anyPredators << 100 << int(Census) << L{144, 6}
        << W{"bei höchstens 13 Beutefischen, mit wie vielen Räubern auch immer"};
    QTest::newRow("fix: one predator, fewer than 22 prey") //
        << "fix" << L{} << L{8, 21} << L{1, 1} << 100 << int(Census) << L{14, 1}
        << W{"mit nur einem Räuber und weniger als 22 Beutefischen: Er fällt sofort unter einen "
             "Fisch"};
    QTest::newRow("fix: one predator, 22 prey or more") //
        << "fix" << L{} << L{22, 32} << L{1, 1} << 2000 << int(Census) << L{0, -1, 2190, 630}
        << W{"weniger als 22 Beutefischen"};
    QTest::newRow("fix: 32 prey, 12 predators or more") //
        << "fix" << L{} << L{32, 32} << L{12, 24} << 100 << int(Census) << L{13, 10}
        << W{"bei 32 Beutefischen schon ab 12 Räubern"};
    QTest::newRow("fix: 32 prey, 11 predators or fewer") //
        << "fix" << L{} << L{32, 32} << L{1, 11} << 2000 << int(Census) << L{0, -1, 2190, 630}
        << W{"bei 32 Beutefischen schon ab 12 Räubern"};
    QTest::newRow("fix: from 32 and 24") //
        << "fix" << L{} << L{32, 32} << L{24, 24} << 100 << int(DiesOut) << L{8, 20}
        << W{"in der 8. Generation verschwunden, ab der 20. Generation schwimmen 32 Beutefische",
             "in der 8. Generation sind sie ausgestorben",
             "ab der 20. Generation schwimmen 32 Beutefische"};
    QTest::newRow("fix with 45: still after 500") //
        << "fix" << L{45} << L{20, 20} << L{4, 4} << 500 << int(Settles) << L{1936, 789, 325}
        << W{"Nach 500 Generationen stehen die Anzeigen bei W = 34 und W = 45 still"};
    QTest::newRow("fix with 57: still swinging after 500") //
        << "fix" << L{57} << L{20, 20} << L{4, 4} << 500 << int(Swings) << L{15, 19, 6, 13}
        << W{"bei 57 schwankt die Beute noch zwischen etwa 15 und 19"};

    QTest::newRow("labil: near the equilibrium") //
        << "labil" << L{} << L{25, 25} << L{2, 2} << 3000 << int(Settles) << L{2486, 178, 139}
        << W{"139. Generation zeigen die Anzeigen „2486“ und „178“"};
    QTest::newRow("labil: equilibrium") //
        << "labil" << L{} << L{25, 25} << L{2, 2} << 3000 << int(RestsAt) << L{2486, 178}
        << W{"etwa 1,78 und 24,86"};
    QTest::newRow("labil: from 20 and 4") //
        << "labil" << L{} << L{20, 20} << L{4, 4} << 100 << int(DiesOut) << L{6, 34}
        << W{"in der 6. Generation unter einen Fisch",
             "fallen in der 6. Generation nach dem Start unter einen Fisch und sterben aus; ab der "
             "34. Generation schwimmen 32 Beutefische"};
    QTest::newRow("labil: census") //
        << "labil" << L{} << all << anyPredators << 3000 << int(Census) << L{584, 26, 2486, 178}
        << W{"Nur von 16 der 600 Startpunkte aus überleben die Räuber",
             "Startpunkten, die das Phasendiagramm anbietet, spätestens in der 26. Generation"};
    QTest::newRow("labil: the survivors' corner") //
        << "labil" << L{} << L{23, 29} << L{1, 3} << 3000 << int(Census) << L{5, 22, 2486, 178}
        << W{"alle mit 1 bis 3 Räubern und 23 bis 29 Beutefischen"};
}

void TestGuideClaims::claim() {
    QFETCH(QString, preset);
    QFETCH(QList<int>, propFactor);
    QFETCH(QList<int>, prey);
    QFETCH(QList<int>, predators);
    QFETCH(int, generations);
    QFETCH(int, claim);
    QFETCH(QList<int>, expected);
    QFETCH(QStringList, words);

    static const QString guide = pages();
    for (const QString& w : words) {
        QVERIFY2(guide.contains(w), qPrintable(QStringLiteral("not in the guide: ") + w));
    }

    rb::ModelParameters parameters = ::preset(preset, propFactor);
    const int switchAfter = propFactor.size() == 3 ? propFactor[1] : -1;
    int extinct = 0;
    int latest = -1;
    int cycling = 0;
    int resting = 0;
    for (int x0 = prey[0]; x0 <= prey[1]; ++x0) {
        for (int y0 = predators[0]; y0 <= predators[1]; ++y0) {
            parameters = ::preset(preset, propFactor);
            double x = x0;
            double y = y0;
            int gone = y == 0 ? 0 : -1;
            int full = -1;
            int still = 0;
            QList<int> lastText{-1, -1};
            QMap<int, bool> shown[2];
            double before[2][2] = {{x, y}, {x, y}}; // one and two generations back
            int peaks = 0;
            int lagging = 0;
            double low[2] = {1e9, 1e9};
            double high[2] = {-1e9, -1e9};
            for (int g = 1; g <= generations; ++g) {
                if (g == switchAfter + 1) {
                    parameters.propFactor = propFactor[2];
                }
                const rb::GenerationResult r = rb::NextGeneration(x, y, parameters);
                x = r.newStock1;
                y = r.newStock2;
                gone = (gone < 0 && y == 0) ? g : gone;
                full = (full < 0 && std::nearbyint(x) == 32) ? g : full;
                const QList<int> texts{text(x), text(y)};
                still = texts == lastText ? still : g;
                lastText = texts;
                shown[0].insert(texts[0], true);
                shown[1].insert(texts[1], true);
                if (g > generations - generations / 5 && before[1][0] < before[0][0] &&
                    before[0][0] >= x) {
                    ++peaks;
                    lagging += y > before[0][1] ? 1 : 0;
                }
                before[1][0] = before[0][0];
                before[1][1] = before[0][1];
                before[0][0] = x;
                before[0][1] = y;
                if (g > generations - generations / 5) {
                    low[0] = std::min(low[0], x);
                    low[1] = std::min(low[1], y);
                    high[0] = std::max(high[0], x);
                    high[1] = std::max(high[1], y);
                }
            }
            const QString start = QStringLiteral("from %1 prey, %2 predators").arg(x0).arg(y0);
            const QList<int> range{int(std::lround(low[0])), int(std::lround(high[0])),
                                   int(std::lround(low[1])), int(std::lround(high[1]))};
            switch (claim) {
            case Settles:
                QCOMPARE(lastText, expected.mid(0, 2));
                if (expected[2] > 0) {
                    QCOMPARE(still, expected[2]);
                }
                break;
            case RestsAt:
                QCOMPARE(QList<int>({int(std::lround(100 * x)), int(std::lround(100 * y))}),
                         expected);
                break;
            case DiesOut:
                QCOMPARE(QList<int>({gone, full}), expected);
                break;
            case Swings:
                QVERIFY2(range == expected, qPrintable(start));
                break;
            case Fates:
                if (gone >= 0) {
                    ++extinct;
                    latest = std::max(latest, gone);
                } else if (range == expected.mid(4, 4)) {
                    ++cycling;
                } else {
                    QVERIFY2(range == expected.mid(8, 4), qPrintable(start));
                    ++resting;
                }
                break;
            case Lags:
                QCOMPARE(QList<int>({peaks, lagging}), expected);
                break;
            case Shows:
                QCOMPARE(shown[0].keys() + shown[1].keys(), expected);
                break;
            case Census:
                if (gone >= 0) {
                    ++extinct;
                    latest = std::max(latest, gone);
                } else if (expected.size() > 2) {
                    QVERIFY2(lastText == expected.mid(2), qPrintable(start));
                }
                break;
            }
        }
    }
    if (claim == Census) {
        QCOMPARE(QList<int>({extinct, latest}), expected.mid(0, 2));
    }
    if (claim == Fates) {
        QCOMPARE(QList<int>({extinct, latest, cycling, resting}), expected.mid(0, 4));
    }
}

QTEST_APPLESS_MAIN(TestGuideClaims)
#include "tst_guideclaims.moc"
