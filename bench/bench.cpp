// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the program's speed on this machine and prints one table. Runs the real window
// on the platform QT_QPA_PLATFORM names (`make bench`: offscreen, then xcb on a virtual X
// server); every figure is the median of several runs.
//
//   bench            the whole table
//   bench --quick    the per-call figures only (model step, tick, animation pass)
//   bench --zoom     those and the zoom steps (a key's step, a pinch's, F11): median and worst
//   bench --run MS PREY PREDATORS [SECONDS]
//                    one run at a pace with that many fish shown, for a profiler
//   bench --frames N the work of N frames at 5 ms a generation with all fish shown, done
//                    without waiting: a fixed amount of work for an instruction counter
//                    (valgrind --tool=callgrind --toggle-collect='*frameWorkload*')
//   bench --startup  (internal) start the window, report start-up time and peak memory

#include "aquarium/animation.h"
#include "aquarium/aquarium.h"
#include "control/parameters.h"
#include "control/startup.h"
#include "model/generationtick.h"
#include "model/populationmodel.h"
#include "window/form1.h"
#include "window/pictures.h"
#include "window/runtime/accessibility.h"
#include "window/runtime/fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <vector>

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::vector<double> repeat(int runs, const std::function<double()>& once) {
    std::vector<double> results;
    for (int k = 0; k < runs; ++k) {
        results.push_back(once());
    }
    return results;
}

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

std::unique_ptr<rb::Form1> loadedForm() {
    auto f = std::make_unique<rb::Form1>();
    f->setEndHook([] {});
    rb::connectHandlers(*f);
    rb::Form1_Load(*f);
    f->show();
    QApplication::processEvents();
    return f;
}

// How many fish a measurement shows: all 56, or prey 1 alone (the start state).
struct Shown {
    int prey = 32;
    int predators = 24;
};
constexpr Shown kAllFish{32, 24};
constexpr Shown kOneFish{1, 0};

// Parameters that keep both stocks high, and the stock sliders at the fish to show.
void fillAquarium(rb::Form1& f, Shown shown = kAllFish) {
    f.txtF1p->setText(QStringLiteral("100"));
    f.txtF2W->setText(QStringLiteral("0"));
    f.txtF2fress->setText(QStringLiteral("0"));
    f.txtF2sterb->setText(QStringLiteral("0"));
    f.HScroll1->setValue(shown.prey);
    f.HScroll2->setValue(shown.predators);
}

double stepsPerSecond() {
    const rb::ModelParameters p{40, 60, 40, 10};
    double x = 20;
    double y = 5;
    constexpr int steps = 5'000'000;
    QElapsedTimer t;
    t.start();
    for (int k = 0; k < steps; ++k) {
        const rb::GenerationResult r = rb::NextGeneration(x, y, p);
        x = r.newStock1 > 0 ? r.newStock1 : 20;
        y = r.newStock2 > 0 ? r.newStock2 : 5;
    }
    const double seconds = static_cast<double>(t.nsecsElapsed()) / 1e9;
    volatile double sink = x + y;
    (void)sink;
    return steps / seconds;
}

double tickMicroseconds(rb::Form1& f) {
    fillAquarium(f);
    f.stopped = false;
    constexpr int ticks = 400;
    QElapsedTimer t;
    t.start();
    for (int k = 0; k < ticks; ++k) {
        rb::GenerationTick(f);
        f.HScroll1->setValue(32);
        f.HScroll2->setValue(24);
    }
    f.stopped = true;
    return static_cast<double>(t.nsecsElapsed()) / 1e3 / ticks;
}

double passMicroseconds(rb::Form1& f) {
    fillAquarium(f);
    constexpr int passes = 400;
    QElapsedTimer t;
    t.start();
    for (int k = 0; k < passes; ++k) {
        rb::animationPass(f);
        // The frame's one repaint of what the pass changed, done at once: the gathered areas
        // are handed over, then painted.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        QCoreApplication::sendPostedEvents(&f, QEvent::UpdateRequest);
    }
    return static_cast<double>(t.nsecsElapsed()) / 1e3 / passes;
}

// The slowest of the keys typed at the end of the longest text a parameter box keeps (mixed
// scripts, the costliest to lay out), each with its repaint: a Backspace and a digit in turn,
// so the text stays at its limit and every key lays the whole line out anew.
double slowestKeyMs(rb::Form1& f) {
    rb::TextBox* box = f.txtF1p;
    box->setText(QStringLiteral("9ä€日本١٢ß").repeated(5000)); // cut at the box's limit
    box->setFocus();
    box->end(false);
    QCoreApplication::processEvents();
    double slowest = 0;
    for (int k = 0; k < 40; ++k) {
        const bool erase = k % 2 == 0;
        QKeyEvent press(QEvent::KeyPress, erase ? Qt::Key_Backspace : Qt::Key_7, Qt::NoModifier,
                        erase ? QString() : QStringLiteral("7"));
        QElapsedTimer t;
        t.start();
        QCoreApplication::sendEvent(box, &press);
        box->repaint();
        slowest = std::max(slowest, static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    box->setText(QStringLiteral("10"));
    return slowest;
}

// N frames of a run at 5 ms a generation (three or four generations a frame) with all fish
// shown, each frame's repaint done at once. Not inlined, so that a profiler can count it alone.
__attribute__((noinline)) void frameWorkload(rb::Form1& f, int frames) {
    fillAquarium(f);
    f.stopped = false;
    for (int k = 0; k < frames; ++k) {
        rb::animationPass(f);
        for (int t = 0; t < (k % 3 == 0 ? 4 : 3); ++t) {
            rb::GenerationTick(f);
            f.HScroll1->setValue(kAllFish.prey);
            f.HScroll2->setValue(kAllFish.predators);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        QCoreApplication::sendPostedEvents(&f, QEvent::UpdateRequest);
        QCoreApplication::processEvents();
    }
    f.stopped = true;
}

// The times (ms) from a zoom change to the window shown at the new zoom, over `runs` changes
// from `from` to `to` (a full-screen change when `to` is 0): the change, the window's repaint
// at its new size and the events that follow. Each run starts from a window at rest at `from`.
std::vector<double> zoomStepMs(rb::Form1& f, double from, double to, int runs) {
    std::vector<double> times;
    for (int k = 0; k < runs; ++k) {
        f.setZoom(from);
        f.repaint();
        QCoreApplication::processEvents();
        QElapsedTimer t;
        t.start();
        if (to > 0) {
            f.setZoom(to);
        } else {
            f.setFullScreenZoomed(true);
        }
        f.repaint();
        QCoreApplication::processEvents();
        times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        if (to <= 0) {
            f.setFullScreenZoomed(false);
            QCoreApplication::processEvents();
        }
    }
    return times;
}

struct RunFigures {
    double fidelity;   // generations achieved / generations the interval asks for
    double passesPerS; // animation passes a second
    double longestGapMs;
    double cpuFraction; // of one core
};

RunFigures runAnimation(rb::Form1& f, int intervalMs, double seconds, Shown shown = kAllFish) {
    fillAquarium(f, shown);
    f.HScroll3->setValue(intervalMs / 5);
    long long passes = 0;
    double longestGap = 0;
    QElapsedTimer sinceLast;
    QObject::connect(&f, &rb::Form1::animationPassed, &f, [&] {
        if (passes > 0) {
            longestGap = std::max(longestGap, static_cast<double>(sinceLast.nsecsElapsed()) / 1e6);
        }
        sinceLast.start();
        ++passes;
    });
    // Keep the fish shown whatever the model does.
    const QMetaObject::Connection keep =
        QObject::connect(f.Timer1, &rb::Timer::timer, &f, [&f, shown] {
            f.HScroll1->setValue(shown.prey);
            f.HScroll2->setValue(shown.predators);
        });
    f.Check1->setValue(1);
    long long generations = 0;
    const QMetaObject::Connection count =
        QObject::connect(f.Timer1, &rb::Timer::timer, &f, [&] { ++generations; });
    QElapsedTimer wall;
    double cpuStart = 0;
    QTimer::singleShot(0, &f, [&] {
        wall.start();
        cpuStart = cpuSeconds();
        rb::Command1_Click(f);
    });
    QTimer::singleShot(static_cast<int>(seconds * 1000), &f, [&f] { rb::Command2_Click(f); });
    while (!f.stopped || f.animating || !wall.isValid()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const double elapsed = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpuStart;
    QObject::disconnect(keep);
    QObject::disconnect(count);
    QObject::disconnect(&f, &rb::Form1::animationPassed, &f, nullptr);
    const double asked = elapsed * 1000.0 / intervalMs;
    return {static_cast<double>(generations) / asked, passes / elapsed, longestGap, cpu / elapsed};
}

// Each figure's median over three runs.
RunFigures medianOfThreeRuns(rb::Form1& f, int intervalMs, double seconds) {
    std::vector<RunFigures> runs;
    for (int k = 0; k < 3; ++k) {
        runs.push_back(runAnimation(f, intervalMs, seconds));
    }
    const auto pick = [&runs](double RunFigures::*m) {
        std::vector<double> v;
        for (const RunFigures& r : runs) {
            v.push_back(r.*m);
        }
        return median(v);
    };
    return {pick(&RunFigures::fidelity), pick(&RunFigures::passesPerS),
            pick(&RunFigures::longestGapMs), pick(&RunFigures::cpuFraction)};
}

// Child mode: the program's start, from process start to the first painted window.
int startupChild(int argc, char** argv) {
    QApplication app(argc, argv);
    rb::installFontSubstitutes();
    QElapsedTimer loading;
    loading.start();
    rb::PictureStore::instance();
    const double picturesMs = static_cast<double>(loading.nsecsElapsed()) / 1e6;
    rb::Form1 f;
    f.setEndHook([] {});
    rb::connectHandlers(f);
    rb::Form1_Load(f);
    bool painted = false;
    struct Watch : QObject {
        bool* flag;
        explicit Watch(bool* p) : flag(p) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) {
                *flag = true;
            }
            return false;
        }
    } watch(&painted);
    f.client()->installEventFilter(&watch);
    f.show();
    while (!painted) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    // Process age from /proc: start time in clock ticks since boot, against the uptime.
    std::ifstream statFile("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), {});
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int k = 3; k < 22; ++k) {
        fields >> field;
    }
    long long startTicks = 0;
    fields >> startTicks;
    std::ifstream uptimeFile("/proc/uptime");
    double uptime = 0;
    uptimeFile >> uptime;
    const double startupMs =
        (uptime - static_cast<double>(startTicks) / sysconf(_SC_CLK_TCK)) * 1000;
    // Then run with all fish visible for a second, for the peak memory.
    fillAquarium(f);
    QTimer::singleShot(1000, &f, [&f] { rb::Command2_Click(f); });
    f.stopped = false;
    rb::Command1_Click(f);
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    std::printf("%.1f %.1f %.1f\n", startupMs, static_cast<double>(u.ru_maxrss) / 1024.0,
                picturesMs);
    return 0;
}

void row(const char* what, double value, const char* unit, const char* target) {
    // Shares of a core with three places: a hundredth of a core is already much.
    const int places = std::string(unit) == "core" ? 3 : 2;
    std::printf("| %-62s | %12.*f | %-5s | %-12s |\n", what, places, value, unit, target);
}

// A zoom step's median and worst of seven.
void zoomRows(rb::Form1& f) {
    const QSize screen = f.screen()->geometry().size();
    char fullScreen[80];
    std::snprintf(fullScreen, sizeof fullScreen, "F11 on %dx%d", screen.width(), screen.height());
    const struct {
        const char* what;
        double from, to;
    } steps[] = {{"zoom step 100 -> 110 %", 1.0, 1.1},
                 {"zoom step 200 -> 225 %", 2.0, 2.25},
                 {fullScreen, 1.0, 0}};
    for (const auto& step : steps) {
        std::vector<double> times = zoomStepMs(f, step.from, step.to, 7);
        char what[80];
        std::snprintf(what, sizeof what, "%s to its new frame (median)", step.what);
        row(what, median(times), "ms", "< 50");
        std::snprintf(what, sizeof what, "%s to its new frame (worst of 7)", step.what);
        row(what, *std::max_element(times.begin(), times.end()), "ms", "< 50");
    }
    f.setZoom(1.0);
    QCoreApplication::processEvents();
}

// The running figures at each pace, each the median of three runs: fidelity, passes per second,
// the longest gap between passes and, but at 25 ms, the CPU. The targets hold in the window;
// `prefix` names another setting (full screen), where they are given for comparison only.
void runningRows(rb::Form1& f, const char* prefix, std::initializer_list<int> intervals) {
    const bool window = *prefix == '\0';
    for (int interval : intervals) {
        const RunFigures m = medianOfThreeRuns(f, interval, interval == 250 ? 4.0 : 2.0);
        char what[80];
        std::snprintf(what, sizeof what, "%space fidelity at %d ms", prefix, interval);
        row(what, m.fidelity, "ratio", ">= 0.98");
        std::snprintf(what, sizeof what, "%sanimation passes per second at %d ms", prefix,
                      interval);
        row(what, m.passesPerS, "1/s", "60 +- 2");
        std::snprintf(what, sizeof what, "%slongest gap between passes at %d ms", prefix, interval);
        row(what, m.longestGapMs, "ms", "");
        if (interval != 25) {
            std::snprintf(what, sizeof what, "%sCPU while running at %d ms (share of one core)",
                          prefix, interval);
            row(what, m.cpuFraction, "core", !window ? "" : interval == 5 ? "<= 0.05" : "< 0.10");
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--startup") {
        return startupChild(argc, argv);
    }
    QApplication app(argc, argv);
    rb::installFontSubstitutes();
    rb::installAccessibility(); // as the program: what a screen reader finds costs the same
    auto f = loadedForm();
    if (argc > 2 && std::string(argv[1]) == "--frames") {
        frameWorkload(*f, std::atoi(argv[2]));
        return 0;
    }
    if (argc > 4 && std::string(argv[1]) == "--run") {
        // One run only, for a profiler: --run <interval ms> <prey> <predators> [seconds].
        const Shown shown{std::atoi(argv[3]), std::atoi(argv[4])};
        const double seconds = argc > 5 ? std::atof(argv[5]) : 10.0;
        const RunFigures r = runAnimation(*f, std::atoi(argv[2]), seconds, shown);
        std::printf("CPU %.3f core, %.1f passes/s, fidelity %.2f\n", r.cpuFraction, r.passesPerS,
                    r.fidelity);
        return 0;
    }

    std::printf("| %-62s | %12s | %-5s | %-12s |\n", "measure (median)", "value", "unit", "target");
    std::printf("|%s|%s|%s|%s|\n", std::string(64, '-').c_str(), std::string(14, '-').c_str(),
                std::string(7, '-').c_str(), std::string(14, '-').c_str());
    row("NextGeneration steps per second (millions)", median(repeat(5, stepsPerSecond)) / 1e6,
        "M/s", "");
    row("generation tick, all 56 fish visible",
        median(repeat(5, [&] { return tickMicroseconds(*f); })), "us", "well < 1000");
    row("animation pass with its repaint", median(repeat(5, [&] { return passMicroseconds(*f); })),
        "us", "< 1000");
    row("slowest key at the end of a text box's longest text",
        median(repeat(5, [&] { return slowestKeyMs(*f); })), "ms", "< 50");
    if (argc > 1 && std::string(argv[1]) == "--quick") {
        return 0; // the per-call figures only (for profiling)
    }
    zoomRows(*f);
    if (argc > 1 && std::string(argv[1]) == "--zoom") {
        return 0; // and the zoom steps
    }

    runningRows(*f, "", {5, 25, 250});
    for (int interval : {5, 250}) {
        std::vector<double> cpu;
        for (int k = 0; k < 3; ++k) {
            cpu.push_back(runAnimation(*f, interval, 2.0, kOneFish).cpuFraction);
        }
        char what[80];
        std::snprintf(what, sizeof what, "CPU at %d ms with one fish (share of one core)",
                      interval);
        row(what, median(cpu), "core", "");
    }

    std::vector<double> startup;
    std::vector<double> memory;
    std::vector<double> pictures;
    for (int k = 0; k < 5; ++k) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--startup")});
        child.waitForFinished(30000);
        double ms = 0;
        double mb = 0;
        double load = 0;
        if (std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf %lf", &ms, &mb,
                        &load) == 3) {
            startup.push_back(ms);
            memory.push_back(mb);
            pictures.push_back(load);
        }
    }
    if (!startup.empty()) {
        row("loading all pictures (once, at start-up)", median(pictures), "ms", "< 50");
        row("process start to first shown window", median(startup), "ms", "< 250");
        row("peak resident memory while running", median(memory), "MB", "< 60");
    }
    // The running figures again at full screen, the form zoomed to fill the screen (1920 x 1080
    // under `make bench`): more pixels for every repaint. Last, as the peak memory of the
    // start-up children above would include this process's larger pictures.
    f->setFullScreenZoomed(true);
    QApplication::processEvents();
    char zoomed[80];
    std::snprintf(zoomed, sizeof zoomed, "full screen %dx%d, zoom %.0f %%",
                  f->screen()->geometry().width(), f->screen()->geometry().height(),
                  f->zoom() * 100);
    row(zoomed, f->zoom() * 100, "%", "");
    runningRows(*f, "full screen: ", {5, 250});
    f->setFullScreenZoomed(false);
    QApplication::processEvents();

    return 0;
}
