// SPDX-License-Identifier: GPL-3.0-or-later
// The window as designed, checked against the design written out here by hand (not read from
// the table that builds it): every control's kind, container, place in twips, focus index,
// text or caption, range and picture; the Tab order walked with real key presses.

#include "support/formfixture.h"
#include "support/taborder.h"
#include "window/form1.h"
#include "window/pictures.h"
#include "window/runtime/fonts.h"

#include <QApplication>
#include <QTest>

#include <cmath>
#include <memory>

using rb::Form1;

namespace {

// One control of the design: kind (the runtime class), container, Left, Top, Width, Height in
// twips inside the container, TabIndex (-1: none), text or caption, and "min max value" of a
// scroll bar, the alignment of a text box or the name of the picture it shows at design time.
struct Designed {
    const char* kind;
    const char* container;
    QRect twips;
    int tab;
    const char* text;
    const char* extra;
};

void row(const char* name, const Designed& d) {
    QTest::addRow("%s", name) << QString::fromUtf8(name) << QString::fromLatin1(d.kind)
                              << QString::fromLatin1(d.container) << d.twips << d.tab
                              << QString::fromUtf8(d.text) << QString::fromLatin1(d.extra);
}

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

bool showsPicture(const QPixmap& shown, const QString& name) {
    if (name.isEmpty()) {
        return shown.isNull();
    }
    const QPixmap expected = rb::PictureStore::instance().picture(name);
    return !expected.isNull() && shown.cacheKey() == expected.cacheKey();
}

} // namespace

class TestWindowTable : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { rb::installFontSubstitutes(); }
    void init() {
        m_design = std::make_unique<Form1>();
        m_design->setEndHook([] {});
    }
    void cleanup() { m_design.reset(); }

    void everyControlAsDesigned_data();
    void everyControlAsDesigned();
    void line();
    void fishAsDesigned();
    void tabKeyWalksTheDesignedOrder();

private:
    std::unique_ptr<Form1> m_design; // built as designed, Load not run
};

void TestWindowTable::everyControlAsDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("extra");
    // clang-format off
    // Directly in the window, topmost first.
    row("Picture3",     {"PictureBox", "Form1", {12480, 7320, 1095, 2115}, 27, "", ""});
    row("Command5",     {"Button",     "Form1", {14400, 8220, 975, 435}, 25, "", "preyFace"});
    row("Command1",     {"Button",     "Form1", {14400, 8760, 975, 435}, 24, "", "startArrow"});
    row("Command2",     {"Button",     "Form1", {14400, 7380, 975, 675}, 23, "", "stopSign"});
    row("txtTime",      {"TextBox",    "Form1", {14340, 5700, 1095, 345}, 22, "10", "centre"});
    row("HScroll3",     {"ScrollBar",  "Form1", {14340, 6060, 1095, 195}, 21, "", "0 50 50"});
    row("HScroll2",     {"ScrollBar",  "Form1", {12420, 6060, 1095, 195}, 20, "", "0 24 0"});
    row("txtFisch2",    {"TextBox",    "Form1", {12420, 5700, 1095, 345}, 19, "0", "centre"});
    row("HScroll1",     {"ScrollBar",  "Form1", {10920, 6060, 1095, 195}, 18, "", "0 32 1"});
    row("txtFisch1",    {"TextBox",    "Form1", {10920, 5700, 1095, 345}, 17, "1", "centre"});
    row("txtF1p",       {"TextBox",    "Form1", {11160, 7320, 915, 420}, 16, "10", "centre"});
    row("VScroll1",     {"ScrollBar",  "Form1", {10920, 7320, 255, 435}, 15, "", "100 0 10"});
    row("Text2",        {"TextBox",    "Form1", {10440, 9480, 5235, 318}, 14, "Generation 0", "left"});
    row("Text4",        {"TextBox",    "Form1", {10500, 2400, 375, 285}, 11, "20", "left"});
    row("Text3",        {"TextBox",    "Form1", {12660, 5220, 375, 195}, 10, "12", "centre"});
    row("Check1",       {"CheckBox",   "Form1", {9420, 5460, 735, 315}, 9, "auto", ""});
    row("picAqua",      {"PictureBox", "Form1", {0, 0, 10455, 5475}, 0, "", "reefAquarium"});
    row("Picture2",     {"PictureBox", "Form1", {0, 5460, 10455, 4335}, 2, "", ""});
    row("Picture1",     {"PictureBox", "Form1", {10260, 0, 5415, 5475}, 1, "", ""});
    row("Image6",       {"Image",      "Form1", {5940, 9780, 945, 915}, -1, "", "preyFace"});
    row("Image5",       {"Image",      "Form1", {15600, 9240, 1500, 1470}, -1, "", "predatorLeft"});
    row("Image4",       {"Image",      "Form1", {16740, 540, 855, 915}, -1, "", ""});
    row("Image3",       {"Image",      "Form1", {17640, 540, 930, 960}, -1, "", "fishOrangeLeft"});
    row("bildfisch(1)", {"Image",      "Form1", {10560, 6360, 630, 585}, -1, "", "preyYellowLeft"});
    row("Label1",       {"Label",      "Form1", {10920, 7740, 1155, 255}, 26, "Wachstumsrate", ""});
    row("bildfisch(2)", {"Image",      "Form1", {11460, 6480, 810, 780}, -1, "", "preyBowRight"});
    row("Image2",       {"Image",      "Form1", {14400, 6360, 945, 915}, -1, "", "clockFace"});
    row("bildfisch(0)", {"Image",      "Form1", {16920, 9300, 930, 960}, -1, "", "preyBowLeft"});
    row("Image1(1)",    {"Image",      "Form1", {12480, 6240, 1080, 1050}, -1, "", "predatorLeft"});
    // In the aquarium.
    row("Text1",        {"TextBox",    "picAqua", {10020, 5160, 495, 285}, 38, "8 / 0", "left"});
    row("txtxr",        {"TextBox",    "picAqua", {10080, 0, 375, 320}, 37, "32", "centre"});
    row("txtFisch1Bestand", {"TextBox", "picAqua", {0, 0, 795, 510}, 13, "", "right"});
    row("txtFisch2Bestand", {"TextBox", "picAqua", {780, 0, 795, 510}, 12, "", "centre"});
    row("imgfress(1)",  {"Image",      "picAqua", {5460, 1260, 2100, 2055}, -1, "", "eatingLeft"});
    row("bildfisch(4)", {"Image",      "picAqua", {8160, 1020, 870, 960}, -1, "", "preyPinkRight"});
    row("imgfress(0)",  {"Image",      "picAqua", {960, 660, 2100, 2055}, -1, "", "eatingRight"});
    // In the time-series diagram's viewport.
    row("Command3",     {"Button",     "Picture2", {10140, 0, 315, 315}, 5, "X", ""});
    row("HScroll4",     {"ScrollBar",  "Picture2", {0, 4020, 10575, 315}, 4, "", "0 30000 0"});
    row("picDiagramm",  {"PictureBox", "Picture2", {0, 0, 32055, 4005}, 3, "", ""});
    // In the phase diagram's panel and in the phase diagram.
    row("txtyo",        {"TextBox",    "Picture1", {4980, 5160, 375, 285}, 7, "24", "centre"});
    row("picphase",     {"PictureBox", "Picture1", {180, 0, 5235, 5475}, 6, "", ""});
    row("Command4",     {"Button",     "picphase", {4800, 0, 375, 315}, 8, "X", ""});
    row("imgtarget",    {"Image",      "picphase", {2280, 900, 405, 390}, -1, "", "targetCross"});
    row("bildfisch(3)", {"Image",      "picphase", {780, 0, 450, 420}, -1, "", "preyYellowRight"});
    row("Image1(0)",    {"Image",      "picphase", {4200, 4800, 660, 630}, -1, "", "predatorRight"});
    // In the predator parameters' panel.
    row("txtF2W",       {"TextBox",    "Picture3", {240, 0, 855, 420}, 33, "32", "centre"});
    row("VScroll2",     {"ScrollBar",  "Picture3", {0, 60, 255, 375}, 32, "", "100 0 32"});
    row("txtF2fress",   {"TextBox",    "Picture3", {240, 720, 855, 420}, 31, "10", "centre"});
    row("VScroll3",     {"ScrollBar",  "Picture3", {0, 720, 255, 435}, 30, "", "100 0 10"});
    row("txtF2sterb",   {"TextBox",    "Picture3", {240, 1440, 855, 420}, 29, "10", "centre"});
    row("VScroll4",     {"ScrollBar",  "Picture3", {0, 1440, 255, 435}, 28, "", "100 0 10"});
    row("Label6",       {"Label",      "Picture3", {0, 1200, 1035, 435}, 36, "Gefräßigkeit", ""});
    row("Label4",       {"Label",      "Picture3", {0, 480, 1095, 315}, 35, "Proportional.f.", ""});
    row("Label8",       {"Label",      "Picture3", {0, 1860, 1095, 315}, 34, "Sterberate", ""});
    // clang-format on
}

// What a wrong value in the table or the builder shows as: a control of another kind or in
// another container, a pixel off, a wrong focus index, a letter missing from a text, a range
// or start value changed, another picture.
void TestWindowTable::everyControlAsDesigned() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    QFETCH(int, tab);
    QFETCH(QString, text);
    QFETCH(QString, extra);
    const Form1& f = *m_design;
    const QList<QObject*> named = f.findChildren<QObject*>(name);
    QCOMPARE(named.size(), 1);
    QObject* o = named.first();
    QCOMPARE(QString::fromLatin1(o->metaObject()->className()), QStringLiteral("rb::") + kind);
    const QRect pixels(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
    const auto nameOf = [&f](const QObject* c) {
        return c == f.client() ? QStringLiteral("Form1") : c->objectName();
    };
    const QVariant tabIndex = o->property("TabIndex");
    QCOMPARE(tabIndex.isValid() ? tabIndex.toInt() : -1, tab);

    if (auto* light = qobject_cast<rb::LightControl*>(o)) {
        QCOMPARE(nameOf(light->container()), container);
        // Before the coordinate systems are set, Left and Top are the design twips.
        QCOMPARE(light->left(), static_cast<float>(twips.x()));
        QCOMPARE(light->top(), static_cast<float>(twips.y()));
        QCOMPARE(light->pixelRect().toRect().translated(-light->container()->innerRect().topLeft()),
                 pixels);
        QCOMPARE(light->isVisible(), name != QLatin1String("bildfisch(4)"));
        if (auto* image = qobject_cast<rb::Image*>(o)) {
            QVERIFY(showsPicture(image->picture(), extra));
        } else {
            QCOMPARE(qobject_cast<rb::Label*>(o)->caption(), text);
        }
        return;
    }
    auto* w = qobject_cast<QWidget*>(o);
    QVERIFY(w);
    auto* c = qobject_cast<rb::Container*>(w->parentWidget());
    QVERIFY(c);
    QCOMPARE(nameOf(c), container);
    QCOMPARE(w->geometry().translated(-c->innerRect().topLeft()), pixels);
    QVERIFY(!w->isHidden());
    QVERIFY(w->focusPolicy() & Qt::TabFocus);
    if (auto* box = qobject_cast<rb::TextBox*>(w)) {
        QCOMPARE(box->text(), text);
        QVERIFY(!box->isReadOnly());
        const Qt::Alignment horizontal = box->alignment() & Qt::AlignHorizontal_Mask;
        QCOMPARE(horizontal, extra == QLatin1String("left")     ? Qt::AlignLeft
                             : extra == QLatin1String("centre") ? Qt::AlignHCenter
                                                                : Qt::AlignRight);
    } else if (auto* bar = qobject_cast<rb::ScrollBar*>(w)) {
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(bar->min()).arg(bar->max()).arg(bar->value()),
                 extra);
        QCOMPARE(bar->orientation(),
                 name.startsWith(QLatin1Char('H')) ? Qt::Horizontal : Qt::Vertical);
        QCOMPARE(bar->smallChange(), 1);
        QCOMPARE(bar->largeChange(), 1);
    } else if (auto* button = qobject_cast<rb::Button*>(w)) {
        QCOMPARE(button->text(), text);
        QVERIFY(showsPicture(button->picture(), extra));
    } else if (auto* check = qobject_cast<rb::CheckBox*>(w)) {
        QCOMPARE(check->text(), text);
        QCOMPARE(check->value(), 0);
    } else if (auto* box = qobject_cast<rb::PictureBox*>(w)) {
        QVERIFY(showsPicture(box->picture(), extra));
        const bool persistent =
            name == QLatin1String("picDiagramm") || name == QLatin1String("picphase");
        QCOMPARE(box->autoRedraw(), persistent);
    }
}

// Line1: 2 pixels wide, vertical, from (15660, 9660) to (15660, 5460) in the window.
void TestWindowTable::line() {
    auto* line = m_design->findChild<rb::Line*>(QStringLiteral("Line1"));
    QVERIFY(line);
    QCOMPARE(line->container(), m_design->client());
    QCOMPARE(line->from(), QPointF(15660, 9660));
    QCOMPARE(line->to(), QPointF(15660, 5460));
}

// Before start-up every fish shows its design picture in the aquarium's corner, in that
// picture's size: the prey face, 945 x 915 twips, except imgFisch1(31), the pink fish facing
// left, 870 x 960; predators blank, 1590 x 1725, except imgFisch2(7), the red predator facing
// right, 1500 x 1470; only imgFisch1(0) carries a tag, "1"; none takes the focus.
void TestWindowTable::fishAsDesigned() {
    for (int k = 0; k <= 32; ++k) {
        auto* fish = m_design->findChild<rb::Image*>(QStringLiteral("imgFisch1(%1)").arg(k));
        QVERIFY(fish);
        QCOMPARE(fish->container(), static_cast<rb::Container*>(m_design->picAqua));
        QCOMPARE(fish->pixelRect(),
                 QRectF(QPointF(1, 1), k == 31 ? QSizeF(58, 64) : QSizeF(63, 61)));
        QVERIFY(showsPicture(fish->picture(), k == 31 ? "preyPinkLeft" : "preyFace"));
        QVERIFY(fish->isVisible());
        QCOMPARE(fish->tag(), k == 0 ? QStringLiteral("1") : QString());
        QVERIFY(!fish->property("TabIndex").isValid());
    }
    for (int k = 0; k <= 24; ++k) {
        auto* fish = m_design->findChild<rb::Image*>(QStringLiteral("imgFisch2(%1)").arg(k));
        QVERIFY(fish);
        QCOMPARE(fish->container(), static_cast<rb::Container*>(m_design->picAqua));
        QCOMPARE(fish->pixelRect(),
                 QRectF(QPointF(1, 1), k == 7 ? QSizeF(100, 98) : QSizeF(106, 115)));
        QVERIFY(showsPicture(fish->picture(), k == 7 ? "predatorRightRed" : ""));
        QVERIFY(fish->isVisible());
        QCOMPARE(fish->tag(), QString());
        QVERIFY(!fish->property("TabIndex").isValid());
    }
}

// Tab from picAqua walks every focusable control in the designed order and back to picAqua.
void TestWindowTable::tabKeyWalksTheDesignedOrder() {
    const auto loaded = rbtest::loadForm(3);
    Form1& f = **loaded;
    f.show();
    QApplication::setActiveWindow(&f);
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.picAqua->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.picAqua));
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (qsizetype k = 1; k <= rbtest::kTabOrder.size(); ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, rbtest::kTabOrder + QStringList{QStringLiteral("picAqua")});
}

QTEST_MAIN(TestWindowTable)
#include "tst_windowtable.moc"
