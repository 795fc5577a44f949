// SPDX-License-Identifier: GPL-3.0-or-later
// The four parameter spinners and their boxes, the preset entries of the menu bar, and the
// pace slider with the timer's interval.

#include "support/formfixture.h"

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>

#include "support/scrollbarparts.h"
#include <QTimer>

#include <array>
#include <memory>

using rb::ScrollBar;
using rb::TextBox;
using rbtest::LoadedForm;

using rbtest::subControlCentre;

namespace {

// The up arrow of a vertical bar, the left arrow of a horizontal one.
void clickArrow(ScrollBar& bar, bool upOrLeft) {
    QTest::mouseClick(&bar, Qt::LeftButton, {},
                      subControlCentre(bar, upOrLeft ? QStyle::SC_ScrollBarSubLine
                                                     : QStyle::SC_ScrollBarAddLine));
}

struct Parameter {
    ScrollBar* spinner;
    TextBox* box;
};

std::array<Parameter, 4> parameters(const rb::Form1& f) {
    return {{{f.VScroll1, f.txtF1p},
             {f.VScroll2, f.txtF2W},
             {f.VScroll3, f.txtF2fress},
             {f.VScroll4, f.txtF2sterb}}};
}

QStringList boxTexts(const rb::Form1& f) {
    QStringList texts;
    for (const Parameter& p : parameters(f)) {
        texts << p.box->text();
    }
    return texts;
}

QList<int> spinnerValues(const rb::Form1& f) {
    QList<int> values;
    for (const Parameter& p : parameters(f)) {
        values << p.spinner->value();
    }
    return values;
}

// Everything a preset or the pace must leave alone, taken at one moment.
struct Untouched {
    long long generation;
    double stock1, stock2;
    int slider1, slider2, pace, scroll;
    QString paceText, generationText, fish1, fish2;
    bool stopped;
    QImage series, phase;

    static Untouched of(const rb::Form1& f) {
        return {f.generation,
                f.stock1,
                f.stock2,
                f.HScroll1->value(),
                f.HScroll2->value(),
                f.HScroll3->value(),
                f.HScroll4->value(),
                f.txtTime->text(),
                f.Text2->text(),
                f.txtFisch1->text(),
                f.txtFisch2->text(),
                f.stopped,
                f.picDiagramm->canvas(),
                f.picphase->canvas()};
    }
    bool operator==(const Untouched&) const = default;
};

} // namespace

class TestParameters : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void presetsFromTheStart_data();
    void presetsFromTheStart();
    void smallCycleAfterFixedPointRewritesOnlyOneBox();
    void presetKeepsTypedTextWhereTheValueIsUnchanged_data();
    void presetKeepsTypedTextWhereTheValueIsUnchanged();
    void typedParameterSurvivesUntilItsSpinnerChanges();

    void spinnerArrowsWriteTheBoxAtEveryClick_data();
    void spinnerArrowsWriteTheBoxAtEveryClick();
    void spinnerStopsAtItsEnds_data();
    void spinnerStopsAtItsEnds();
    void draggedSpinnerThumbWritesOnRelease();

    void pace_data();
    void pace();
    void paceLeftArrowFromTheStart();
    void draggedPaceThumbIsFollowed();
    void typedPaceChangesNothing();
    void paceNeitherStartsNorStopsTheSimulation();

private:
    std::unique_ptr<LoadedForm> m_form;
};

void TestParameters::init() {
    m_form = rbtest::loadForm(5);
    (*m_form)->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form->form.get()));
}

void TestParameters::cleanup() {
    m_form.reset();
}

void TestParameters::presetsFromTheStart_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QList<int>>("values");
    QTest::addRow("großer anziehender Zyklus") << "cmdZyk" << QList<int>{40, 60, 40, 10};
    QTest::addRow("kleiner anziehender Zyklus") << "cmdKleinZyklus" << QList<int>{30, 57, 36, 15};
    QTest::addRow("anziehender Fixpunkt") << "cmdfix" << QList<int>{30, 34, 36, 15};
    QTest::addRow("labiles Gleichgewicht") << "cmdlabil" << QList<int>{12, 24, 36, 15};
}

void TestParameters::presetsFromTheStart() {
    QFETCH(QString, entry);
    QFETCH(QList<int>, values);
    rb::Form1& f = **m_form;
    const QList<int> start{10, 32, 10, 10};
    QCOMPARE(spinnerValues(f), start);

    // The order in which the spinners' handlers run, and how often each box is written.
    QStringList order;
    QObject recorder; // its connections end with this test
    std::vector<std::unique_ptr<QSignalSpy>> writes;
    for (const Parameter& p : parameters(f)) {
        connect(p.spinner, &ScrollBar::change, &recorder,
                [&order, bar = p.spinner] { order << bar->objectName(); });
        writes.push_back(std::make_unique<QSignalSpy>(p.box, &QLineEdit::textChanged));
    }
    const Untouched before = Untouched::of(f);

    auto* action = f.findChild<QAction*>(entry);
    QVERIFY(action);
    action->trigger();

    QCOMPARE(spinnerValues(f), values);
    QStringList texts;
    QStringList expectedOrder;
    for (int k = 0; k < 4; ++k) {
        texts << QString::number(values[k]);
        const bool changes = values[k] != start[k];
        if (changes) {
            expectedOrder << parameters(f)[static_cast<std::size_t>(k)].spinner->objectName();
        }
        QCOMPARE(writes[static_cast<std::size_t>(k)]->count(), changes ? 1 : 0);
    }
    QCOMPARE(boxTexts(f), texts);
    QCOMPARE(order, expectedOrder);
    QVERIFY(Untouched::of(f) == before);
    QCOMPARE(f.Timer1->interval(), 250);
}

void TestParameters::smallCycleAfterFixedPointRewritesOnlyOneBox() {
    rb::Form1& f = **m_form;
    f.cmdfix->trigger();
    QCOMPARE(boxTexts(f), (QStringList{"30", "34", "36", "15"}));

    std::vector<std::unique_ptr<QSignalSpy>> changes;
    std::vector<std::unique_ptr<QSignalSpy>> writes;
    for (const Parameter& p : parameters(f)) {
        changes.push_back(std::make_unique<QSignalSpy>(p.spinner, &ScrollBar::change));
        writes.push_back(std::make_unique<QSignalSpy>(p.box, &QLineEdit::textChanged));
    }
    f.cmdKleinZyklus->trigger();
    QCOMPARE(boxTexts(f), (QStringList{"30", "57", "36", "15"}));
    const std::array<int, 4> expected{0, 1, 0, 0};
    for (std::size_t k = 0; k < 4; ++k) {
        QCOMPARE(changes[k]->count(), expected[k]);
        QCOMPARE(writes[k]->count(), expected[k]);
    }
}

void TestParameters::presetKeepsTypedTextWhereTheValueIsUnchanged_data() {
    QTest::addColumn<int>("parameter"); // 0..3: growth rate .. death rate
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    // From the start state (10, 32, 10, 10).
    QTest::addRow("death rate 10 kept by großer Zyklus") << 3 << "cmdZyk"
                                                         << "7.5"
                                                         << "7.5";
    QTest::addRow("growth rate rewritten by großer Zyklus") << 0 << "cmdZyk"
                                                            << "99"
                                                            << "40";
    QTest::addRow("voracity rewritten by Fixpunkt") << 2 << "cmdfix"
                                                    << "abc"
                                                    << "36";
}

void TestParameters::presetKeepsTypedTextWhereTheValueIsUnchanged() {
    QFETCH(int, parameter);
    QFETCH(QString, entry);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    rb::Form1& f = **m_form;
    TextBox* box = parameters(f)[static_cast<std::size_t>(parameter)].box;
    box->selectAll();
    QTest::keyClicks(box, typed);
    QCOMPARE(box->text(), typed);
    f.findChild<QAction*>(entry)->trigger();
    QCOMPARE(box->text(), after);
}

void TestParameters::typedParameterSurvivesUntilItsSpinnerChanges() {
    rb::Form1& f = **m_form;
    f.txtF2W->selectAll();
    QTest::keyClicks(f.txtF2W, QStringLiteral("45"));
    QCOMPARE(f.VScroll2->value(), 32); // typing does not move the spinner
    f.VScroll2->setValue(32);
    QCOMPARE(f.txtF2W->text(), QStringLiteral("45"));
    clickArrow(*f.VScroll2, true);
    QCOMPARE(f.txtF2W->text(), QStringLiteral("33"));
}

void TestParameters::spinnerArrowsWriteTheBoxAtEveryClick_data() {
    QTest::addColumn<int>("parameter");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QStringList>("texts"); // after each of three clicks
    QTest::addRow("VScroll1 up") << 0 << true << QStringList{"11", "12", "13"};
    QTest::addRow("VScroll1 down") << 0 << false << QStringList{"9", "8", "7"};
    QTest::addRow("VScroll2 up") << 1 << true << QStringList{"33", "34", "35"};
    QTest::addRow("VScroll2 down") << 1 << false << QStringList{"31", "30", "29"};
    QTest::addRow("VScroll3 up") << 2 << true << QStringList{"11", "12", "13"};
    QTest::addRow("VScroll4 down") << 3 << false << QStringList{"9", "8", "7"};
}

void TestParameters::spinnerArrowsWriteTheBoxAtEveryClick() {
    QFETCH(int, parameter);
    QFETCH(bool, up);
    QFETCH(QStringList, texts);
    const Parameter p = parameters(**m_form)[static_cast<std::size_t>(parameter)];
    QSignalSpy writes(p.box, &QLineEdit::textChanged);
    for (qsizetype k = 0; k < texts.size(); ++k) {
        clickArrow(*p.spinner, up);
        QCOMPARE(p.box->text(), texts[k]);
        QCOMPARE(p.spinner->value(), texts[k].toInt());
        QCOMPARE(writes.count(), k + 1);
    }
}

void TestParameters::spinnerStopsAtItsEnds_data() {
    QTest::addColumn<int>("parameter");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("end");
    QTest::addRow("VScroll1 top") << 0 << 99 << true << "100";
    QTest::addRow("VScroll1 bottom") << 0 << 1 << false << "0";
    QTest::addRow("VScroll4 top") << 3 << 99 << true << "100";
    QTest::addRow("VScroll2 bottom") << 1 << 1 << false << "0";
}

void TestParameters::spinnerStopsAtItsEnds() {
    QFETCH(int, parameter);
    QFETCH(int, from);
    QFETCH(bool, up);
    QFETCH(QString, end);
    const Parameter p = parameters(**m_form)[static_cast<std::size_t>(parameter)];
    p.spinner->setValue(from);
    QCOMPARE(p.box->text(), QString::number(from));
    QSignalSpy writes(p.box, &QLineEdit::textChanged);
    clickArrow(*p.spinner, up);
    QCOMPARE(p.box->text(), end);
    QCOMPARE(p.spinner->value(), end.toInt());
    clickArrow(*p.spinner, up);
    clickArrow(*p.spinner, up);
    QCOMPARE(p.box->text(), end);
    QCOMPARE(p.spinner->value(), end.toInt());
    QCOMPARE(writes.count(), 1);
    // Code cannot push it past its end either.
    p.spinner->setValue(up ? 101 : -1);
    QCOMPARE(p.spinner->value(), end.toInt());
    QCOMPARE(p.box->text(), end);
}

void TestParameters::draggedSpinnerThumbWritesOnRelease() {
    rb::Form1& f = **m_form;
    ScrollBar& bar = *f.VScroll3;
    QSignalSpy writes(f.txtF2fress, &QLineEdit::textChanged);
    // The thumb is held and moved as a mouse drag moves it (on the short spinner its trough
    // is a single pixel, too short to drag along): the value follows at once, the box waits
    // for the release.
    bar.setSliderDown(true);
    bar.setSliderPosition(bar.sliderPosition() - 5); // towards the top end: higher values
    bar.setSliderPosition(bar.sliderPosition() - 5);
    QCOMPARE(bar.value(), 20);
    QCOMPARE(f.txtF2fress->text(), QStringLiteral("10"));
    QCOMPARE(writes.count(), 0);
    bar.setSliderDown(false);
    QCOMPARE(f.txtF2fress->text(), QStringLiteral("20"));
    QCOMPARE(writes.count(), 1);
}

void TestParameters::pace_data() {
    QTest::addColumn<int>("from"); // set first, from the start state
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("interval");
    QTest::addRow("1") << 50 << 1 << "1" << 5;
    QTest::addRow("50") << 1 << 50 << "50" << 250;
    QTest::addRow("25") << 50 << 25 << "25" << 125;
    QTest::addRow("1 to 0 keeps 5 ms") << 1 << 0 << "0" << 5;
    QTest::addRow("50 to 0 keeps 250 ms") << 50 << 0 << "0" << 250;
    QTest::addRow("0 to 2") << 0 << 2 << "2" << 10;
}

void TestParameters::pace() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, text);
    QFETCH(int, interval);
    rb::Form1& f = **m_form;
    f.HScroll3->setValue(from);
    f.HScroll3->setValue(to);
    QCOMPARE(f.HScroll3->value(), to);
    QCOMPARE(f.txtTime->text(), text);
    QCOMPARE(f.Timer1->interval(), interval);
    QVERIFY(f.Timer1->isEnabled());
}

void TestParameters::paceLeftArrowFromTheStart() {
    rb::Form1& f = **m_form;
    QCOMPARE(f.txtTime->text(), QStringLiteral("10"));
    clickArrow(*f.HScroll3, true);
    QCOMPARE(f.HScroll3->value(), 49);
    QCOMPARE(f.txtTime->text(), QStringLiteral("49"));
    QCOMPARE(f.Timer1->interval(), 245);
    clickArrow(*f.HScroll3, false);
    QCOMPARE(f.txtTime->text(), QStringLiteral("50"));
    QCOMPARE(f.Timer1->interval(), 250);
}

void TestParameters::draggedPaceThumbIsFollowed() {
    // The pace handles Scroll too: box and interval follow the thumb while it is dragged.
    rb::Form1& f = **m_form;
    ScrollBar& bar = *f.HScroll3;
    bar.setSliderDown(true);
    bar.setSliderPosition(40);
    QCOMPARE(f.txtTime->text(), QStringLiteral("40"));
    QCOMPARE(f.Timer1->interval(), 200);
    bar.setSliderPosition(3);
    QCOMPARE(f.txtTime->text(), QStringLiteral("3"));
    QCOMPARE(f.Timer1->interval(), 15);
    bar.setSliderDown(false);
    QCOMPARE(f.txtTime->text(), QStringLiteral("3"));
    QCOMPARE(f.Timer1->interval(), 15);
}

void TestParameters::typedPaceChangesNothing() {
    rb::Form1& f = **m_form;
    f.txtTime->selectAll();
    QTest::keyClicks(f.txtTime, QStringLiteral("3"));
    QTest::keyClick(f.txtTime, Qt::Key_Return);
    QCOMPARE(f.txtTime->text(), QStringLiteral("3"));
    QCOMPARE(f.Timer1->interval(), 250);
    QCOMPARE(f.HScroll3->value(), 50);
    clickArrow(*f.HScroll3, true);
    QCOMPARE(f.txtTime->text(), QStringLiteral("49"));
    QCOMPARE(f.Timer1->interval(), 245);
}

void TestParameters::paceNeitherStartsNorStopsTheSimulation() {
    rb::Form1& f = **m_form;
    // Stopped: a change of pace starts nothing.
    f.HScroll3->setValue(1);
    clickArrow(*f.HScroll3, false);
    QVERIFY(f.stopped);
    QVERIFY(!f.animating);
    QCOMPARE(f.generation, 0);

    // Running: a change of pace from inside the animation loop stops nothing.
    bool loopReturned = false;
    bool runningAfterChange = false;
    QMetaObject::invokeMethod(
        this,
        [&] {
            f.Command1->click();
            loopReturned = true;
        },
        Qt::QueuedConnection);
    QTimer driver;
    int step = 0;
    connect(&driver, &QTimer::timeout, this, [&] {
        if (!f.animating) {
            return;
        }
        if (step == 0 && f.generation >= 3) {
            f.HScroll3->setValue(20);
            clickArrow(*f.HScroll3, true);
            ++step;
        } else if (step == 1) {
            runningAfterChange = !f.stopped && f.animating;
            f.Command2->click();
            ++step;
        }
    });
    driver.start(10);
    QTRY_VERIFY_WITH_TIMEOUT(loopReturned, 20000);
    QVERIFY(runningAfterChange);
    QCOMPARE(f.txtTime->text(), QStringLiteral("19"));
    QCOMPARE(f.Timer1->interval(), 95);
    QVERIFY(f.stopped);
}

QTEST_MAIN(TestParameters)
#include "tst_parameters.moc"
