// SPDX-License-Identifier: GPL-3.0-or-later
// The pacing of accessibility notices while the program changes its controls many times a
// second: what reaches assistive technology at once, what is held back, and the one notice of
// the newest state that replaces what was held back, when its time comes, when the pacing
// ends and when the control takes the focus. The notices are those a text box and a scroll
// bar send (made here as Qt makes them); the clock is the test's.

#include "window/runtime/container.h"
#include "window/runtime/notificationpacer.h"
#include "window/runtime/scrollbar.h"
#include "window/runtime/textbox.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <memory>

using rb::NotificationPacer;

class TestPacing : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }

    void newestStateWhenItsTimeComes_data();
    void newestStateWhenItsTimeComes();
    void endingThePacingSendsTheFinalState();
    void focusSendsWhatItsControlHeldFirst();

private:
    // Qt's notices of a new text and a new value, as the controls send them.
    void setText(rb::TextBox* box, const QString& text) {
        const QString old = box->text();
        box->setText(text);
        QAccessibleTextUpdateEvent e(box, 0, old, text);
        m_pacer->take(&e);
    }
    void setValue(rb::ScrollBar* bar, int value) {
        bar->setValue(value);
        QAccessibleValueChangeEvent e(bar, value);
        m_pacer->take(&e);
    }
    void describe(QWidget* w, const QString& text) {
        w->setAccessibleDescription(text); // inactive accessibility: Qt sends nothing itself
        QAccessibleEvent e(w, QAccessible::DescriptionChanged);
        m_pacer->take(&e);
    }

    std::unique_ptr<rb::Container> m_window;
    rb::TextBox* m_box = nullptr;
    rb::TextBox* m_other = nullptr;
    rb::ScrollBar* m_bar = nullptr;
    std::unique_ptr<NotificationPacer> m_pacer;
    long long m_now = 0;
    QStringList m_heard; // what reached the listener, one line a notice
};

void TestPacing::init() {
    m_window = std::make_unique<rb::Container>();
    m_box = new rb::TextBox(m_window.get(), QStringLiteral("box"));
    m_other = new rb::TextBox(m_window.get(), QStringLiteral("other"));
    m_bar = new rb::ScrollBar(m_window.get(), QStringLiteral("bar"));
    m_bar->setRange(0, 32);
    m_box->setText(QStringLiteral("Generation 0"));
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    m_other->setFocus();
    QTRY_VERIFY(m_other->hasFocus());
    m_heard.clear();
    m_now = 1000000;
    m_pacer = std::make_unique<NotificationPacer>([this](QAccessibleEvent* e) {
        const QString who = e->object()->objectName();
        switch (e->type()) {
        case QAccessible::TextUpdated: {
            const auto* u = static_cast<QAccessibleTextUpdateEvent*>(e);
            m_heard << QStringLiteral("%1: %2 -> %3").arg(who, u->textRemoved(), u->textInserted());
            break;
        }
        case QAccessible::ValueChanged:
            m_heard << QStringLiteral("%1 = %2").arg(who).arg(
                static_cast<QAccessibleValueChangeEvent*>(e)->value().toInt());
            break;
        case QAccessible::DescriptionChanged:
            m_heard << QStringLiteral("%1 described: %2")
                           .arg(who, static_cast<QWidget*>(e->object())->accessibleDescription());
            break;
        default:
            m_heard << QStringLiteral("%1 event %2").arg(who).arg(e->type());
        }
    });
    m_pacer->setClock([this] { return m_now; });
}

// While paced, the first change is heard at once; later ones wait until 5 s (1 s for the
// focused control) have passed since, and then only the newest state is heard.
void TestPacing::newestStateWhenItsTimeComes_data() {
    QTest::addColumn<bool>("focused");
    QTest::addColumn<int>("wait"); // ms after the first change
    QTest::addRow("unfocused, 5 s") << false << NotificationPacer::kPacedReportMs;
    QTest::addRow("focused, 1 s") << true << NotificationPacer::kFocusedReportMs;
}

void TestPacing::newestStateWhenItsTimeComes() {
    QFETCH(bool, focused);
    QFETCH(int, wait);
    if (focused) {
        m_box->setFocus();
        QTRY_VERIFY(m_box->hasFocus());
    }
    m_pacer->setPaced(true);
    for (int g = 1; g <= 40; ++g) {
        setText(m_box, QStringLiteral("Generation %1").arg(g));
        setValue(m_bar, g % 33);
        m_now += wait / 100; // 40 changes within less than half the wait
    }
    QCOMPARE(m_heard, QStringList({"box: Generation 0 -> Generation 1", "bar = 1"}));
    m_now += wait / 2;
    m_pacer->sendDue();
    QCOMPARE(m_heard.size(), 2);
    m_now += wait / 2;
    m_pacer->sendDue();
    // The box waits from its own last notice; the unfocused bar sends on its own 5 s.
    QStringList expected = {"box: Generation 0 -> Generation 1", "bar = 1",
                            "box: Generation 1 -> Generation 40"};
    if (!focused) {
        expected << "bar = 7";
    }
    QCOMPARE(m_heard, expected);
    m_pacer->sendDue(); // sent: nothing is held any more
    QCOMPARE(m_heard, expected);
}

void TestPacing::endingThePacingSendsTheFinalState() {
    const QString design = QStringLiteral("Beutebestand");
    describe(m_other, design);
    m_pacer->setPaced(true);
    setText(m_box, QStringLiteral("Generation 1"));
    setText(m_box, QStringLiteral("Generation 2"));
    setValue(m_bar, 3);
    setValue(m_bar, 4);
    // Back to what the listener knows: nothing to tell.
    setText(m_other, QStringLiteral("x"));
    setText(m_other, QStringLiteral("y"));
    setText(m_other, QStringLiteral("x"));
    describe(m_other, QStringLiteral("Beutebestand 3"));
    describe(m_other, design);
    m_heard.clear();
    m_pacer->setPaced(false);
    QCOMPARE(m_heard, QStringList({"box: Generation 1 -> Generation 2", "bar = 4"}));
    // Once ended, every notice passes at once again, however soon after the last.
    setText(m_box, QStringLiteral("Generation 3"));
    QCOMPARE(m_heard.size(), 3);
}

void TestPacing::focusSendsWhatItsControlHeldFirst() {
    m_pacer->setPaced(true);
    setText(m_box, QStringLiteral("Generation 1"));
    setText(m_box, QStringLiteral("Generation 2"));
    setValue(m_bar, 9);
    setValue(m_bar, 10);
    m_heard.clear();
    QAccessibleEvent focus(m_box, QAccessible::Focus);
    m_pacer->take(&focus);
    QCOMPARE(m_heard, QStringList({"box: Generation 1 -> Generation 2",
                                   QStringLiteral("box event %1").arg(QAccessible::Focus)}));
}

QTEST_MAIN(TestPacing)
#include "tst_pacing.moc"
