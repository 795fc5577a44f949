// The window on a real (virtual) X display, used with the real pointer: a preset picked from
// the menu bar and a spinner arrow clicked; and the built program itself, ended through
// "Beenden", and started without a display.

#include "support/formfixture.h"
#include "support/xdo.h"

#include <QAction>
#include <QMenuBar>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStyleOptionSlider>
#include <QTest>

#include "support/scrollbarparts.h"

#include <memory>

#ifndef RB_PROGRAM
#error "RB_PROGRAM must name the built program"
#endif

using rb::ScrollBar;

using rbtest::subControlCentre;

namespace {

const QString kCaption = QStringLiteral("Räuber-Beute Modell");

// The X window ids of visible windows with the program's caption.
QStringList programWindows() {
    QProcess search;
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--name"), kCaption});
    if (!search.waitForFinished(10000)) {
        return {};
    }
    return QString::fromLocal8Bit(search.readAllStandardOutput())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestRealWindow : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void presetFromTheMenuBar_data();
    void presetFromTheMenuBar();
    void spinnerArrowClick_data();
    void spinnerArrowClick();
    void programEndsThroughBeenden();
    void programWithoutDisplaySaysHowToStartIt();

private:
    void showForm();
    std::unique_ptr<rbtest::LoadedForm> m_form;
};

void TestRealWindow::showForm() {
    m_form = rbtest::loadForm(3);
    (*m_form)->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form->form.get()));
}

void TestRealWindow::cleanup() {
    m_form.reset();
    QTRY_VERIFY(programWindows().isEmpty());
}

void TestRealWindow::presetFromTheMenuBar_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("boxes");
    QTest::addRow("anziehender Fixpunkt") << "cmdfix" << QStringList{"30", "34", "36", "15"};
    QTest::addRow("labiles Gleichgewicht") << "cmdlabil" << QStringList{"12", "24", "36", "15"};
}

void TestRealWindow::presetFromTheMenuBar() {
    QFETCH(QString, entry);
    QFETCH(QStringList, boxes);
    showForm();
    rb::Form1& f = **m_form;
    auto* action = f.findChild<QAction*>(entry);
    QVERIFY(action);
    const QRect place = f.menuBar()->actionGeometry(action);
    QVERIFY(!place.isEmpty());
    QVERIFY(rbtest::clickAt(f.menuBar(), place.center()));
    QTRY_COMPARE(f.txtF1p->text(), boxes[0]);
    QTRY_COMPARE(f.txtF2W->text(), boxes[1]);
    QTRY_COMPARE(f.txtF2fress->text(), boxes[2]);
    QTRY_COMPARE(f.txtF2sterb->text(), boxes[3]);
    QCOMPARE(f.VScroll2->value(), boxes[1].toInt());
    QCOMPARE(m_form->ends, 0);
}

void TestRealWindow::spinnerArrowClick_data() {
    QTest::addColumn<QString>("spinner");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("after");
    QTest::addRow("VScroll2 up") << "VScroll2" << "txtF2W" << true << "33";
    QTest::addRow("VScroll1 down") << "VScroll1" << "txtF1p" << false << "9";
}

void TestRealWindow::spinnerArrowClick() {
    QFETCH(QString, spinner);
    QFETCH(QString, box);
    QFETCH(bool, up);
    QFETCH(QString, after);
    showForm();
    rb::Form1& f = **m_form;
    auto* bar = f.findChild<ScrollBar*>(spinner);
    auto* text = f.findChild<rb::TextBox*>(box);
    QVERIFY(bar && text);
    const QPoint arrow = subControlCentre(
        *bar, up ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine);
    QVERIFY(rbtest::clickAt(bar, arrow));
    QTRY_COMPARE(text->text(), after);
    QCOMPARE(bar->value(), after.toInt());
}

void TestRealWindow::programEndsThroughBeenden() {
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(RB_PROGRAM), QStringList());
    QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(!programWindows().isEmpty(), 30000);
    QCOMPARE(program.state(), QProcess::Running);

    // Without a window manager the window sits at the screen's corner; "Beenden" is the first
    // entry at the left end of the menu bar along its top.
    QVERIFY(rbtest::moveTo(QPoint(25, 10)));
    QVERIFY(rbtest::xdo({QStringLiteral("click"), QStringLiteral("1")}));
    QVERIFY2(program.waitForFinished(10000), "the program did not end");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

void TestRealWindow::programWithoutDisplaySaysHowToStartIt() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(RB_PROGRAM), QStringList());
    QVERIFY2(program.waitForFinished(30000), "the program did not end");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit); // no crash, no signal
    QVERIFY(program.exitCode() != 0);
    const QString message = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(message.contains(QLatin1String("xvfb-run")), qPrintable(message));
}

QTEST_MAIN(TestRealWindow)
#include "tst_realwindow.moc"
