// SPDX-License-Identifier: GPL-3.0-or-later
// Soak: a long stretch of the real window's work without the clock. Generation ticks are
// called directly and interleaved with passes of the swimming animation, preset switches,
// stock changes, pace changes and absurd values typed into the parameter boxes. Every control
// has to stay in its range all the way, and resident memory has to stay flat after a warm-up.
//
// RB_SOAK_TICKS sets the number of ticks (100 000 unless set); the sanitizer build sets fewer,
// as everything there runs several times slower.

#include "aquarium/animation.h"
#include "aquarium/aquarium.h"
#include "control/parameters.h"
#include "model/generationtick.h"
#include "support/formfixture.h"
#include "support/invariants.h"
#include "window/form1.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define RB_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RB_ADDRESS_SANITIZER 1
#endif
#endif

using rbtest::allDigits;
using rbtest::inRange;
using rbtest::setSlider;

namespace {

constexpr long long kDefaultTicks = 100000;
constexpr long long kRssGrowthLimitKb = 2048;

long long soakTicks() {
    const QByteArray value = qgetenv("RB_SOAK_TICKS");
    bool ok = false;
    const long long n = value.toLongLong(&ok);
    return ok && n > 0 ? n : kDefaultTicks;
}

// Resident set size of this process in kB (VmRSS), or -1 when it cannot be read.
long long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return -1;
}

struct Absurd {
    const char* name;
    QString text;
};

std::vector<Absurd> absurdTexts() {
    return {{"1e308", QStringLiteral("1e308")},
            {"-1e308", QStringLiteral("-1e308")},
            {"1e999", QStringLiteral("1e999")},
            {"largest double", QStringLiteral("1.7976931348623157e308")},
            {"denormal", QStringLiteral("4e-320")},
            {"nan", QStringLiteral("nan")},
            {"inf", QStringLiteral("inf")},
            {"-5", QStringLiteral("-5")},
            {"-0", QStringLiteral("-0")},
            {"abc", QStringLiteral("abc")},
            {"empty", QString()},
            {"number then junk", QStringLiteral(" 7.5e1xyz")},
            {"dangling exponent", QStringLiteral("3e+")},
            {"400 digits", QString(400, QLatin1Char('9'))},
            {"5000 digits", QString(5000, QLatin1Char('9'))},
            {"umlauts", QStringLiteral("\u00e4\u00f6\u00fc 12")}};
}

int visibleFish(const auto& fish) {
    int n = 0;
    for (std::size_t k = 1; k < fish.size(); ++k) {
        n += fish[k]->isVisible() ? 1 : 0;
    }
    return n;
}

// The first fault of the window's state, or an empty text.
QString fault(const rb::Form1& f) {
    const rb::ScrollBar* sliders[] = {f.HScroll1, f.HScroll2, f.HScroll3, f.HScroll4,
                                      f.VScroll1, f.VScroll2, f.VScroll3, f.VScroll4};
    for (const rb::ScrollBar* s : sliders) {
        if (!inRange(s)) {
            return QStringLiteral("%1 at %2, outside %3..%4")
                .arg(s->objectName())
                .arg(s->value())
                .arg(s->min())
                .arg(s->max());
        }
    }
    if (!std::isfinite(f.stock1) || !std::isfinite(f.stock2) || f.stock1 < 0 || f.stock2 < 0 ||
        f.stock2 > 24) {
        return QStringLiteral("stocks %1 and %2").arg(f.stock1).arg(f.stock2);
    }
    if (f.Check1->value() == 1 && (f.generation < 0 || f.generation >= 800)) {
        return QStringLiteral("generation counter %1 with auto restart").arg(f.generation);
    }
    if (!std::isfinite(f.imgtarget->left()) || !std::isfinite(f.imgtarget->top())) {
        return QStringLiteral("phase marker at %1, %2")
            .arg(f.imgtarget->left())
            .arg(f.imgtarget->top());
    }
    if (f.picDiagramm->left() != static_cast<float>(-f.HScroll4->value())) {
        return QStringLiteral("time series at %1, its scroll bar at %2")
            .arg(f.picDiagramm->left())
            .arg(f.HScroll4->value());
    }
    return {};
}

// Faults that take longer to look for: texts, shown fish and fish positions.
QString slowFault(const rb::Form1& f) {
    if (!allDigits(f.txtFisch1Bestand->text()) || !allDigits(f.txtFisch2Bestand->text())) {
        return QStringLiteral("stock texts \"%1\" and \"%2\"")
            .arg(f.txtFisch1Bestand->text(), f.txtFisch2Bestand->text());
    }
    if (f.txtFisch1->text() != QString::number(f.HScroll1->value()) ||
        f.txtFisch2->text() != QString::number(f.HScroll2->value())) {
        return QStringLiteral("stock boxes \"%1\" and \"%2\", sliders at %3 and %4")
            .arg(f.txtFisch1->text(), f.txtFisch2->text())
            .arg(f.HScroll1->value())
            .arg(f.HScroll2->value());
    }
    if (visibleFish(f.imgFisch1) != f.HScroll1->value() ||
        visibleFish(f.imgFisch2) != f.HScroll2->value()) {
        return QStringLiteral("%1 prey and %2 predators shown, sliders at %3 and %4")
            .arg(visibleFish(f.imgFisch1))
            .arg(visibleFish(f.imgFisch2))
            .arg(f.HScroll1->value())
            .arg(f.HScroll2->value());
    }
    for (int k = 1; k <= rb::kPreyPictures; ++k) {
        const rb::Image* fish = f.imgFisch1[static_cast<std::size_t>(k)];
        if (fish->left() < 0 || fish->left() > 720 || fish->top() < 0 || fish->top() > 720) {
            return QStringLiteral("prey %1 at %2, %3").arg(k).arg(fish->left()).arg(fish->top());
        }
    }
    for (int k = 1; k <= rb::kPredatorPictures; ++k) {
        const rb::Image* fish = f.imgFisch2[static_cast<std::size_t>(k)];
        if (fish->left() < 0 || fish->left() > 720 || fish->top() < 0 || fish->top() > 640) {
            return QStringLiteral("predator %1 at %2, %3")
                .arg(k)
                .arg(fish->left())
                .arg(fish->top());
        }
    }
    return {};
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void longRun();
};

void TestSoak::longRun() {
    const long long ticks = soakTicks();
    const long long warmUp = std::max<long long>(ticks / 10, 5000);
    QVERIFY2(ticks > warmUp, "RB_SOAK_TICKS leaves nothing after the warm-up");

    const auto loaded = rbtest::loadForm(11);
    rb::Form1& f = **loaded;
    f.Timer1->setEnabled(false); // ticks come from here only

    const rb::Preset presets[] = {rb::kLargeCycle, rb::kSmallCycle, rb::kFixedPoint, rb::kUnstable};
    rb::TextBox* boxes[] = {f.txtF1p, f.txtF2W, f.txtF2fress, f.txtF2sterb};
    const std::vector<Absurd> absurd = absurdTexts();
    const int paces[] = {0, 1, 5, 50};

    long long rssAfterWarmUp = -1;
    long long rssHighest = -1;
    long long typed = 0;
    for (long long g = 1; g <= ticks; ++g) {
        if (g % 1000 == 1) {
            applyPreset(f, presets[(g / 1000) % 4]);
            f.Check1->setValue((g / 4000) % 2 == 0 ? 0 : 1);
            f.HScroll3->setValue(paces[(g / 1000) % 4]);
        }
        if (g % 97 == 0) { // an absurd text in one box, left there until a preset rewrites it
            const Absurd& a = absurd[static_cast<std::size_t>(typed) % absurd.size()];
            boxes[typed / static_cast<long long>(absurd.size()) % 4]->setText(a.text);
            ++typed;
        }
        if (g % 250 == 0) { // the user sets new stocks, so there is something to compute
            setSlider(f.HScroll1, static_cast<int>(g / 250 * 7 % 33));
            setSlider(f.HScroll2, static_cast<int>(g / 250 * 5 % 25));
        }
        if (g % 1500 == 0) { // and scrolls the time series to its end
            f.HScroll4->setValue(f.HScroll4->max());
        }

        f.stopped = false;
        rb::GenerationTick(f);
        if (g % 3 != 0) { // two animation passes for three ticks, as at 60 passes and 40 ms
            rb::animationPass(f);
        }

        if (const QString error = fault(f); !error.isEmpty()) {
            QFAIL(qPrintable(QStringLiteral("tick %1: %2").arg(g).arg(error)));
        }
        if (g % 101 == 0) {
            if (const QString error = slowFault(f); !error.isEmpty()) {
                QFAIL(qPrintable(QStringLiteral("tick %1: %2").arg(g).arg(error)));
            }
        }
        if (g % 500 == 0) {
            QCoreApplication::processEvents(); // posted repaints and deferred deletions
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (g >= warmUp) {
                const long long rss = residentKb();
                QVERIFY2(rss > 0, "VmRSS not readable");
                if (rssAfterWarmUp < 0) {
                    rssAfterWarmUp = rss;
                }
                rssHighest = std::max(rssHighest, rss);
            }
        }
    }
    QVERIFY(typed > 0);

    const long long growth = rssHighest - rssAfterWarmUp;
    qInfo("%lld ticks; resident %lld kB after %lld ticks of warm-up, highest %lld kB later "
          "(growth %lld kB)",
          ticks, rssAfterWarmUp, warmUp, rssHighest, growth);
#ifdef RB_ADDRESS_SANITIZER
    // AddressSanitizer keeps freed memory in quarantine, so the resident size grows here
    // whatever the program does; LeakSanitizer checks for leaks in this build instead.
    qInfo("resident size not bounded under AddressSanitizer");
#else
    QVERIFY2(
        growth < kRssGrowthLimitKb,
        qPrintable(QStringLiteral("resident size grew by %1 kB after the warm-up").arg(growth)));
#endif
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
