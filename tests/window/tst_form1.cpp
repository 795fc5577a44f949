// The window as designed: every control's kind, container, place, size, visibility, text,
// range and picture before start-up runs, and the few of them that start-up changes; the
// keyboard focus order, the menu bar, the stacking of the fish pictures, fonts, colours, the
// controls cut off at their container's edge, the caption and the client area.

#include "support/formfixture.h"
#include "window/runtime/fonts.h"
#include "window/form1.h"
#include "window/pictures.h"

#include <QAction>
#include <QApplication>
#include <QFocusFrame>
#include <QFontInfo>
#include <QMenuBar>
#include <QTest>

#include <cmath>
#include <memory>
#include <optional>

using rb::Form1;

namespace {

constexpr double kNotGiven = -1; // a design value the layout leaves open

// One control as the layout tables give it; positions and sizes in twips.
struct ControlRow {
    const char* name;
    const char* kind; // picture, text, hscroll, vscroll, button, check, image, label, line
    const char* container;
    double left, top, width, height;
    bool visible;
    const char* text; // text box text, caption, or an image's tag
    int min, max, value;
    const char* picture; // the picture it carries, by name; "" for none or one of its own
};

int px(double twips) { return static_cast<int>(std::lround(twips / 15.0)); }

QString arrayName(const char* array, int k) { return rb::arrayName(array, k); }

const char* preyStartPicture(int k) {
    static const char* const looks[] = {"preyBowLeft", "preyYellowLeft", "preyBowRight",
                                        "preyYellowRight"};
    return looks[k % 4];
}

// Every control except the fish arrays, as designed. `loaded`: as start-up leaves them.
std::vector<ControlRow> controlRows(bool loaded) {
    std::vector<ControlRow> rows = {
        // Directly in the window, topmost first.
        {"Picture3", "picture", "Form1", 12480, 7320, 1095, 2115, true, "", 0, 0, 0, ""},
        {"Command5", "button", "Form1", 14400, 8220, 975, 435, true, "", 0, 0, 0, "preyFace"},
        {"Command1", "button", "Form1", 14400, 8760, 975, 435, true, "", 0, 0, 0, "startArrow"},
        {"Command2", "button", "Form1", 14400, 7380, 975, 675, true, "", 0, 0, 0, "stopSign"},
        {"txtTime", "text", "Form1", 14340, 5700, 1095, 345, true, "10", 0, 0, 0, ""},
        {"HScroll3", "hscroll", "Form1", 14340, 6060, 1095, 195, true, "", 0, 50, 50, ""},
        {"HScroll2", "hscroll", "Form1", 12420, 6060, 1095, 195, true, "", 0, 24, 0, ""},
        {"txtFisch2", "text", "Form1", 12420, 5700, 1095, 345, true, "0", 0, 0, 0, ""},
        {"HScroll1", "hscroll", "Form1", 10920, 6060, 1095, 195, true, "", 0, 32, 1, ""},
        {"txtFisch1", "text", "Form1", 10920, 5700, 1095, 345, true, "1", 0, 0, 0, ""},
        {"txtF1p", "text", "Form1", 11160, 7320, 915, 420, true, "10", 0, 0, 0, ""},
        {"VScroll1", "vscroll", "Form1", 10920, 7320, 255, 435, true, "", 100, 0, 10, ""},
        {"Text2", "text", "Form1", 10440, 9480, 5235, 318, true, "Generation 0", 0, 0, 0, ""},
        {"Text4", "text", "Form1", 10500, 2400, 375, 285, true, "20", 0, 0, 0, ""},
        {"Text3", "text", "Form1", 12660, 5220, 375, 195, true, "12", 0, 0, 0, ""},
        {"Check1", "check", "Form1", 9420, 5460, 735, 315, true, "auto", 0, 0, 0, ""},
        {"picAqua", "picture", "Form1", 0, 0, 10455, 5475, true, "", 0, 0, 0, "reefAquarium"},
        {"Picture2", "picture", "Form1", 0, 5460, 10455, 4335, true, "", 0, 0, 0, ""},
        {"Picture1", "picture", "Form1", 10260, 0, 5415, 5475, true, "", 0, 0, 0, ""},
        {"Image6", "image", "Form1", 5940, 9780, 945, 915, true, "", 0, 0, 0, "preyFace"},
        {"Image5", "image", "Form1", 15600, 9240, 1500, 1470, true, "", 0, 0, 0, "predatorLeft"},
        loaded ? ControlRow{"Image4", "image", "Form1", 16740, 540, 870, 960, true, "", 0, 0, 0,
                            "preyPinkRight"}
               : ControlRow{"Image4", "image", "Form1", 16740, 540, 855, 915, true, "", 0, 0, 0,
                            ""},
        {"Image3", "image", "Form1", 17640, 540, 930, 960, true, "", 0, 0, 0, "fishOrangeLeft"},
        {"bildfisch(1)", "image", "Form1", 10560, 6360, 630, 585, true, "", 0, 0, 0,
         "preyYellowLeft"},
        {"Line1", "line", "Form1", 15660, 5460, 0, 4200, true, "", 0, 0, 0, ""},
        {"Label1", "label", "Form1", 10920, 7740, 1155, 255, true, "Wachstumsrate", 0, 0, 0, ""},
        {"bildfisch(2)", "image", "Form1", 11460, 6480, 810, 780, true, "", 0, 0, 0,
         "preyBowRight"},
        {"Image2", "image", "Form1", 14400, 6360, 945, 915, true, "", 0, 0, 0, "clockFace"},
        {"bildfisch(0)", "image", "Form1", 16920, 9300, 930, 960, true, "", 0, 0, 0,
         "preyBowLeft"},
        {"Image1(1)", "image", "Form1", 12480, 6240, 1080, 1050, true, "", 0, 0, 0,
         "predatorLeft"},
        // The aquarium.
        {"Text1", "text", "picAqua", 10020, 5160, 495, 285, true, "8 / 0", 0, 0, 0, ""},
        {"txtxr", "text", "picAqua", 10080, 0, 375, 320, true, "32", 0, 0, 0, ""},
        {"txtFisch1Bestand", "text", "picAqua", 0, 0, 795, 510, true, "", 0, 0, 0, ""},
        {"txtFisch2Bestand", "text", "picAqua", 780, 0, 795, 510, true, "", 0, 0, 0, ""},
        {"imgfress(1)", "image", "picAqua", 5460, 1260, 2100, 2055, !loaded, "", 0, 0, 0,
         "eatingLeft"},
        {"bildfisch(4)", "image", "picAqua", 8160, 1020, 870, 960, false, "", 0, 0, 0,
         "preyPinkRight"},
        {"imgfress(0)", "image", "picAqua", 960, 660, 2100, 2055, !loaded, "", 0, 0, 0,
         "eatingRight"},
        // The time-series diagram.
        {"Command3", "button", "Picture2", 10140, 0, 315, 315, true, "X", 0, 0, 0, ""},
        {"HScroll4", "hscroll", "Picture2", 0, 4020, 10575, 315, true, "", 0, 30000, 0, ""},
        {"picDiagramm", "picture", "Picture2", 0, 0, 32055, 4005, true, "", 0, 0, 0, ""},
        // The phase diagram.
        {"txtyo", "text", "Picture1", 4980, 5160, 375, 285, true, "24", 0, 0, 0, ""},
        {"picphase", "picture", "Picture1", 180, 0, 5235, 5475, true, "", 0, 0, 0, ""},
        {"Command4", "button", "picphase", 4800, 0, 375, 315, true, "X", 0, 0, 0, ""},
        {"imgtarget", "image", "picphase", 2280, 900, 405, 390, true, "", 0, 0, 0,
         "targetCross"},
        {"bildfisch(3)", "image", "picphase", 780, 0, 450, 420, true, "", 0, 0, 0,
         "preyYellowRight"},
        {"Image1(0)", "image", "picphase", 4200, 4800, 660, 630, true, "", 0, 0, 0,
         "predatorRight"},
        // The predator parameters.
        {"txtF2W", "text", "Picture3", 240, 0, 855, 420, true, "32", 0, 0, 0, ""},
        {"VScroll2", "vscroll", "Picture3", 0, 60, 255, 375, true, "", 100, 0, 32, ""},
        {"txtF2fress", "text", "Picture3", 240, 720, 855, 420, true, "10", 0, 0, 0, ""},
        {"VScroll3", "vscroll", "Picture3", 0, 720, 255, 435, true, "", 100, 0, 10, ""},
        {"txtF2sterb", "text", "Picture3", 240, 1440, 855, 420, true, "10", 0, 0, 0, ""},
        {"VScroll4", "vscroll", "Picture3", 0, 1440, 255, 435, true, "", 100, 0, 10, ""},
        {"Label6", "label", "Picture3", 0, 1200, 1035, 435, true, "Gefräßigkeit", 0, 0, 0, ""},
        {"Label4", "label", "Picture3", 0, 480, 1095, 315, true, "Proportional.f.", 0, 0, 0, ""},
        {"Label8", "label", "Picture3", 0, 1860, 1095, 315, true, "Sterberate", 0, 0, 0, ""},
    };
    return rows;
}

// The fish pictures: their design positions are not part of the layout, and start-up
// scatters them, so only their size, visibility, tag and picture are given.
void addFishRows(bool loaded) {
    for (int k = 0; k <= 32; ++k) {
        double w = 945, h = 915;
        QString picture = QStringLiteral("preyFace");
        QString tag = k == 0 ? QStringLiteral("1") : QString();
        bool visible = true;
        if (k == 31) {
            w = 870, h = 960, picture.clear(); // the pink fish facing left, a design picture
        }
        if (loaded && k >= 1) {
            picture = QLatin1String(preyStartPicture(k));
            w = k % 2 == 1 ? 870 : 930; // 58 or 62 pixels wide, 64 high
            h = 960;
            tag = QStringLiteral("1");
            visible = k == 1;
        } else if (loaded) {
            visible = false;
        }
        const QString name = arrayName("imgFisch1", k);
        QTest::addRow("%s", qPrintable(name))
            << name << QStringLiteral("image") << QStringLiteral("picAqua") << kNotGiven
            << kNotGiven << w << h << visible << tag << 0 << 0 << 0 << picture;
    }
    for (int k = 0; k <= 24; ++k) {
        double w = 1590, h = 1725; // a predator seen from the front
        if (k == 7) {
            w = 1500, h = 1470; // the red predator facing right
        }
        QString picture;
        QString tag;
        bool visible = true;
        if (loaded && k >= 1) {
            picture = QLatin1String(k % 2 == 0 ? "predatorRight" : "predatorLeft");
            w = 1500, h = 1470;
            tag = QStringLiteral("1");
            visible = false;
        } else if (loaded) {
            visible = false;
        }
        const QString name = arrayName("imgFisch2", k);
        QTest::addRow("%s", qPrintable(name))
            << name << QStringLiteral("image") << QStringLiteral("picAqua") << kNotGiven
            << kNotGiven << w << h << visible << tag << 0 << 0 << 0 << picture;
    }
}

void addControlTable(bool loaded) {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("picture");
    for (const ControlRow& r : controlRows(loaded)) {
        QTest::addRow("%s", r.name)
            << QString::fromUtf8(r.name) << QString::fromLatin1(r.kind)
            << QString::fromLatin1(r.container) << r.left << r.top << r.width << r.height
            << r.visible << QString::fromUtf8(r.text) << r.min << r.max << r.value
            << QString::fromLatin1(r.picture);
    }
    addFishRows(loaded);
}

// The container name a control reports: the window's client area counts as "Form1".
QString containerName(const Form1& f, const QObject* parent) {
    if (parent == f.client()) {
        return QStringLiteral("Form1");
    }
    return parent ? parent->objectName() : QString();
}

QPixmap storePicture(const QString& name) { return rb::PictureStore::instance().picture(name); }

bool samePicture(const QPixmap& shown, const QString& name) {
    const QPixmap expected = storePicture(name);
    return !expected.isNull() && shown.cacheKey() == expected.cacheKey();
}

// Checks one control of a window against a row of the control table.
void checkControl(Form1& f, bool designState) {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(bool, visible);
    QFETCH(QString, text);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, value);
    QFETCH(QString, picture);

    const bool positionGiven = left != kNotGiven;
    const QRect expected(positionGiven ? px(left) : 0, positionGiven ? px(top) : 0, px(width),
                         px(height));

    auto* light = f.findChild<rb::LightControl*>(name);
    auto* widget = f.findChild<QWidget*>(name);
    QVERIFY2(light || widget, "no control of that name");
    QVERIFY2(!(light && widget), "two controls of that name");

    if (widget) {
        QCOMPARE(containerName(f, widget->parentWidget()), container);
        auto* inside = qobject_cast<rb::Container*>(widget->parentWidget());
        QVERIFY(inside);
        const QRect rect = widget->geometry().translated(-inside->innerRect().topLeft());
        QCOMPARE(rect, expected);
        QCOMPARE(!widget->isHidden(), visible);
    } else {
        QCOMPARE(containerName(f, light->container()), container);
        QCOMPARE(light->isVisible(), visible);
        const QPointF origin = light->container()->innerRect().topLeft();
        if (kind == QLatin1String("line")) {
            auto* line = qobject_cast<rb::Line*>(light);
            QVERIFY(line);
            // End points in twips; the line runs upward from its first point.
            QCOMPARE(line->from(), QPointF(left, top + height));
            QCOMPARE(line->to(), QPointF(left + width, top));
        } else {
            const QRectF rect = light->pixelRect().translated(-origin);
            if (positionGiven) {
                QCOMPARE(rect.toRect(), expected);
            } else {
                QCOMPARE(rect.size().toSize(), expected.size());
            }
            if (designState && positionGiven) {
                // Before the coordinate systems are set, Left and Top are the design twips.
                QCOMPARE(light->left(), static_cast<float>(left));
                QCOMPARE(light->top(), static_cast<float>(top));
            }
        }
    }

    if (kind == QLatin1String("picture")) {
        auto* box = qobject_cast<rb::PictureBox*>(widget);
        QVERIFY(box);
        if (picture.isEmpty()) {
            QVERIFY(box->picture().isNull());
        } else {
            QVERIFY(samePicture(box->picture(), picture));
        }
    } else if (kind == QLatin1String("text")) {
        auto* box = qobject_cast<rb::TextBox*>(widget);
        QVERIFY(box);
        QCOMPARE(box->text(), text);
        QVERIFY(!box->isReadOnly());
        QVERIFY(box->isEnabled());
    } else if (kind == QLatin1String("hscroll") || kind == QLatin1String("vscroll")) {
        auto* bar = qobject_cast<rb::ScrollBar*>(widget);
        QVERIFY(bar);
        QCOMPARE(bar->orientation(),
                 kind == QLatin1String("hscroll") ? Qt::Horizontal : Qt::Vertical);
        QCOMPARE(bar->min(), min);
        QCOMPARE(bar->max(), max);
        QCOMPARE(bar->value(), value);
        QCOMPARE(bar->smallChange(), 1);
        QCOMPARE(bar->largeChange(), 1);
    } else if (kind == QLatin1String("button")) {
        auto* button = qobject_cast<rb::Button*>(widget);
        QVERIFY(button);
        QCOMPARE(button->text(), text);
        QCOMPARE(button->backColor(), QColor(255, 255, 0));
        if (picture.isEmpty()) {
            QVERIFY(button->picture().isNull());
        } else {
            QVERIFY(samePicture(button->picture(), picture));
        }
    } else if (kind == QLatin1String("check")) {
        auto* box = qobject_cast<rb::CheckBox*>(widget);
        QVERIFY(box);
        QCOMPARE(box->text(), text);
        QCOMPARE(box->value(), 0);
    } else if (kind == QLatin1String("image")) {
        auto* image = qobject_cast<rb::Image*>(light);
        QVERIFY(image);
        QCOMPARE(image->tag(), text);
        if (!picture.isEmpty()) {
            QVERIFY2(samePicture(image->picture(), picture), "not the picture named");
        }
    } else if (kind == QLatin1String("label")) {
        auto* label = qobject_cast<rb::Label*>(light);
        QVERIFY(label);
        QCOMPARE(label->caption(), text);
    } else {
        QCOMPARE(kind, QStringLiteral("line"));
    }
}

QColor pixelAt(QWidget* w, QPoint at) { return w->grab().toImage().pixelColor(at); }

// Whether some pixel of the area has that colour; `tolerance` per channel allows for the
// smoothed edges of small text.
bool hasColour(const QImage& image, const QRect& area, const QColor& colour, int tolerance = 0) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance &&
                std::abs(c.green() - colour.green()) <= tolerance &&
                std::abs(c.blue() - colour.blue()) <= tolerance) {
                return true;
            }
        }
    }
    return false;
}

QStringList fishStackTopmostFirst(const rb::Container* aquarium) {
    QStringList names;
    for (const rb::LightControl* c : aquarium->lightControls()) {
        if (c->objectName().startsWith(QLatin1String("imgFisch"))) {
            names.prepend(c->objectName());
        }
    }
    return names;
}

QStringList names(const char* array, std::initializer_list<int> indices) {
    QStringList list;
    for (int k : indices) {
        list << arrayName(array, k);
    }
    return list;
}

QStringList range(const char* array, int from, int downTo, std::initializer_list<int> skip = {}) {
    QStringList list;
    for (int k = from; k >= downTo; --k) {
        if (std::find(skip.begin(), skip.end(), k) == skip.end()) {
            list << arrayName(array, k);
        }
    }
    return list;
}

// The predators' order among each other, topmost first, below imgFisch2(7).
QStringList predatorsBelowSeven() {
    return names("imgFisch2", {18, 19, 20, 22, 23, 24, 21}) +
           range("imgFisch2", 17, 2, {7});
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void designState_data();
    void designState();
    void loadedState_data();
    void loadedState();
    void fishKeepTheirPlacesInTheAquarium();
    void timer();
    void hiddenPictureStoreNeverShows();

    void tabIndicesAreUniqueFromZeroTo38();
    void focusChainFollowsTabIndex();
    void tabKeyWalksTheFocusOrder();

    void menuBar();
    void fishStackingOrder();
    void windowControlsStackAsListed();

    void fonts_data();
    void fonts();
    void textBoxColours_data();
    void textBoxColours();
    void surfaceColours();

    void cutOffControls_data();
    void cutOffControls();
    void windowCaptionClientAreaAndPlace();
    void resizingMovesNothing();

private:
    std::unique_ptr<Form1> m_design; // built as designed, Load not run
    std::unique_ptr<rbtest::LoadedForm> m_loaded;
};

void TestForm1::initTestCase() { rb::installFontSubstitutes(); }

void TestForm1::init() {
    m_design = std::make_unique<Form1>();
    m_design->setEndHook([] {});
    m_loaded = rbtest::loadForm(7);
}

void TestForm1::cleanup() {
    m_loaded.reset();
    m_design.reset();
}

void TestForm1::designState_data() { addControlTable(false); }

void TestForm1::designState() {
    QVERIFY(m_design->Image4->picture().isNull()); // start-up gives it one
    checkControl(*m_design, true);
}

void TestForm1::loadedState_data() { addControlTable(true); }

void TestForm1::loadedState() { checkControl(**m_loaded, false); }

void TestForm1::fishKeepTheirPlacesInTheAquarium() {
    // Start-up scatters every fish of index 1 and up over aquarium units 0..720.
    const Form1& f = **m_loaded;
    QCOMPARE(f.picAqua->scale().x1(), 0.0);
    for (const auto* fish : f.imgFisch1) {
        if (fish == f.imgFisch1[0]) {
            continue;
        }
        QVERIFY2(fish->left() >= 0 && fish->left() < 720, qPrintable(fish->objectName()));
        QVERIFY2(fish->top() >= 0 && fish->top() < 720, qPrintable(fish->objectName()));
    }
    for (const auto* fish : f.imgFisch2) {
        if (fish == f.imgFisch2[0]) {
            continue;
        }
        QVERIFY2(fish->left() >= 0 && fish->left() < 720, qPrintable(fish->objectName()));
        QVERIFY2(fish->top() >= 0 && fish->top() < 720, qPrintable(fish->objectName()));
    }
}

void TestForm1::timer() {
    QCOMPARE(m_design->Timer1->objectName(), QStringLiteral("Timer1"));
    QCOMPARE(m_design->Timer1->interval(), 250);
    QVERIFY(m_design->Timer1->isEnabled());
    QCOMPARE((*m_loaded)->Timer1->interval(), 250);
    QVERIFY((*m_loaded)->Timer1->isEnabled());
}

void TestForm1::hiddenPictureStoreNeverShows() {
    // bildfisch(4) lies inside the aquarium but stays hidden; on screen its place shows the
    // aquarium photo.
    Form1& f = **m_loaded;
    f.imgFisch1[1]->setVisible(false); // the one fish shown might swim there
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QRect store = f.bildfisch[4]->pixelRect().toRect();
    const QImage shown = f.picAqua->grab(store).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage photo = storePicture(QStringLiteral("reefAquarium"))
                             .toImage()
                             .copy(store.translated(-f.picAqua->innerRect().topLeft()))
                             .convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), store.size());
    QCOMPARE(shown, photo);
}

void TestForm1::tabIndicesAreUniqueFromZeroTo38() {
    QList<int> indices;
    QStringList owners;
    for (QObject* o : m_design->findChildren<QObject*>()) {
        const QVariant tab = o->property("TabIndex");
        if (tab.isValid()) {
            indices << tab.toInt();
            owners << o->objectName();
        }
    }
    std::sort(indices.begin(), indices.end());
    QList<int> expected;
    for (int k = 0; k <= 38; ++k) {
        expected << k;
    }
    QCOMPARE(indices, expected);
    QCOMPARE(m_design->picAqua->property("TabIndex").toInt(), 0);
    QCOMPARE(m_design->Label1->property("TabIndex").toInt(), 26);
    QCOMPARE(m_design->Text1->property("TabIndex").toInt(), 38);
}

// The widgets that take the keyboard focus, in TabIndex order.
static QList<QWidget*> focusOrder(const Form1& f) {
    QList<QWidget*> widgets;
    for (QWidget* w : f.findChildren<QWidget*>()) {
        if (w->property("TabIndex").isValid()) {
            widgets << w;
        }
    }
    std::sort(widgets.begin(), widgets.end(), [](QWidget* a, QWidget* b) {
        return a->property("TabIndex").toInt() < b->property("TabIndex").toInt();
    });
    return widgets;
}

void TestForm1::focusChainFollowsTabIndex() {
    const QList<QWidget*> expected = focusOrder(*m_design);
    QCOMPARE(expected.size(), 35); // 39 minus the four labels
    QStringList expectedNames;
    for (QWidget* w : expected) {
        QVERIFY2(w->focusPolicy() & Qt::TabFocus, qPrintable(w->objectName()));
        expectedNames << w->objectName();
    }
    QStringList chain;
    QWidget* w = expected.first();
    do {
        if (w->property("TabIndex").isValid()) {
            chain << w->objectName();
        }
        w = w->nextInFocusChain();
    } while (w != expected.first() && chain.size() <= expected.size());
    QCOMPARE(chain, expectedNames);
}

void TestForm1::tabKeyWalksTheFocusOrder() {
    Form1& f = **m_loaded;
    f.show();
    QApplication::setActiveWindow(&f);
    QVERIFY(QTest::qWaitForWindowActive(&f));
    const QList<QWidget*> order = focusOrder(f);
    order.first()->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), order.first());
    QStringList visited{order.first()->objectName()};
    for (qsizetype k = 1; k <= order.size(); ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QStringList expected;
    for (QWidget* w : order) {
        expected << w->objectName();
    }
    expected << order.first()->objectName(); // after Text1 (38) the focus returns to picAqua
    QCOMPARE(visited, expected);
}

void TestForm1::menuBar() {
    const QList<QAction*> entries = m_design->menuBar()->actions();
    QStringList captions;
    QStringList objectNames;
    for (QAction* a : entries) {
        captions << a->text();
        objectNames << a->objectName();
        QVERIFY(!a->menu());
        QVERIFY(!a->isSeparator());
        QVERIFY(!a->isCheckable());
        QVERIFY(a->shortcut().isEmpty());
        QVERIFY(a->isEnabled());
        QVERIFY(a->isVisible());
    }
    QCOMPARE(captions, (QStringList{QStringLiteral("Beenden"),
                                    QStringLiteral("großer anziehender Zyklus"),
                                    QStringLiteral("kleiner anziehender Zyklus"),
                                    QStringLiteral("anziehender Fixpunkt"),
                                    QStringLiteral("labiles Gleichgewicht")}));
    QCOMPARE(objectNames, (QStringList{QStringLiteral("cmdEnde"), QStringLiteral("cmdZyk"),
                                       QStringLiteral("cmdKleinZyklus"), QStringLiteral("cmdfix"),
                                       QStringLiteral("cmdlabil")}));
    QCOMPARE(m_design->cmdEnde, entries.at(0));
    QCOMPARE(m_design->cmdlabil, entries.at(4));
}

void TestForm1::fishStackingOrder() {
    const QStringList design = names("imgFisch2", {7}) + names("imgFisch1", {29, 31}) +
                               predatorsBelowSeven() + names("imgFisch1", {32, 30}) +
                               range("imgFisch1", 28, 2) + names("imgFisch2", {1}) +
                               names("imgFisch1", {1}) + names("imgFisch2", {0}) +
                               names("imgFisch1", {0});
    QCOMPARE(design.size(), 58);
    QCOMPARE(fishStackTopmostFirst(m_design->picAqua), design);

    // Start-up brings the prey 1..32 to the front in turn; the predators keep their order.
    const QStringList loaded = range("imgFisch1", 32, 1) + names("imgFisch2", {7}) +
                               predatorsBelowSeven() + names("imgFisch2", {1, 0}) +
                               names("imgFisch1", {0});
    QCOMPARE(fishStackTopmostFirst((*m_loaded)->picAqua), loaded);

    // In the design every fish lies below the two eating pictures and the picture store.
    const auto& lights = m_design->picAqua->lightControls();
    QStringList topThree;
    for (auto it = lights.rbegin(); it != lights.rbegin() + 3; ++it) {
        topThree << (*it)->objectName();
    }
    QCOMPARE(topThree, (QStringList{QStringLiteral("imgfress(1)"), QStringLiteral("bildfisch(4)"),
                                    QStringLiteral("imgfress(0)")}));
}

void TestForm1::windowControlsStackAsListed() {
    // Widgets: a later child lies above an earlier one; listed here topmost first. A framed
    // box's frame line and focus mark (a focus frame) lie above them all and are no control.
    const auto widgetsTopmostFirst = [](const QWidget* container) {
        QStringList list;
        for (QObject* o : container->children()) {
            if (auto* w = qobject_cast<QWidget*>(o); w && !qobject_cast<QFocusFrame*>(w)) {
                list.prepend(w->objectName());
            }
        }
        return list;
    };
    const auto lightsTopmostFirst = [](const rb::Container* container) {
        QStringList list;
        for (const rb::LightControl* c : container->lightControls()) {
            list.prepend(c->objectName());
        }
        return list;
    };
    const Form1& f = *m_design;
    QCOMPARE(widgetsTopmostFirst(f.client()),
             QStringList({"Picture3", "Command5", "Command1", "Command2", "txtTime", "HScroll3",
                          "HScroll2", "txtFisch2", "HScroll1", "txtFisch1", "txtF1p", "VScroll1",
                          "Text2", "Text4", "Text3", "Check1", "picAqua", "Picture2",
                          "Picture1"}));
    QCOMPARE(lightsTopmostFirst(f.client()),
             QStringList({"Image6", "Image5", "Image4", "Image3", "bildfisch(1)", "Line1",
                          "Label1", "bildfisch(2)", "Image2", "bildfisch(0)", "Image1(1)"}));
    QCOMPARE(widgetsTopmostFirst(f.picAqua),
             QStringList({"Text1", "txtxr", "txtFisch1Bestand", "txtFisch2Bestand"}));
    QCOMPARE(widgetsTopmostFirst(f.Picture2),
             QStringList({"Command3", "HScroll4", "picDiagramm"}));
    QCOMPARE(widgetsTopmostFirst(f.Picture1), QStringList({"txtyo", "picphase"}));
    QCOMPARE(widgetsTopmostFirst(f.picphase), QStringList({"Command4"}));
    QCOMPARE(lightsTopmostFirst(f.picphase),
             QStringList({"imgtarget", "bildfisch(3)", "Image1(0)"}));
    QCOMPARE(widgetsTopmostFirst(f.Picture3),
             QStringList({"txtF2W", "VScroll2", "txtF2fress", "VScroll3", "txtF2sterb",
                          "VScroll4"}));
    QCOMPARE(lightsTopmostFirst(f.Picture3), QStringList({"Label6", "Label4", "Label8"}));
}

void TestForm1::fonts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QStringList>("substitutes");

    const QString sans = QStringLiteral("MS Sans Serif");
    const QString times = QStringLiteral("Times New Roman");
    const QStringList sansLike{sans, QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                               QStringLiteral("DejaVu Sans")};
    const QStringList timesLike{times, QStringLiteral("Liberation Serif"),
                                QStringLiteral("DejaVu Serif")};
    const auto row = [&](const char* name, const QString& family, double points, bool bold) {
        QTest::addRow("%s", name) << QString::fromLatin1(name) << family << points << bold
                                  << (family == sans ? sansLike : timesLike);
    };
    row("Form1", sans, 8.25, false);
    for (const char* name : {"txtTime", "txtFisch1", "txtFisch2"}) {
        row(name, sans, 12, true);
    }
    for (const char* name : {"txtF1p", "txtF2W", "txtF2fress", "txtF2sterb"}) {
        row(name, sans, 13.5, false);
    }
    for (const char* name : {"Text2", "Text4", "Text3", "Text1", "txtxr", "txtyo", "Check1"}) {
        row(name, sans, 8.25, false);
    }
    row("txtFisch1Bestand", times, 14.25, true);
    row("txtFisch2Bestand", times, 14.25, false);
}

void TestForm1::fonts() {
    QFETCH(QString, name);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(QStringList, substitutes);

    const QWidget* w = name == QLatin1String("Form1") ? static_cast<QWidget*>(m_design.get())
                                                       : m_design->findChild<QWidget*>(name);
    QVERIFY(w);
    const QFont font = w->font();
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QVERIFY(!font.italic());
    QVERIFY(!font.underline());
    QVERIFY(!font.strikeOut());
    // The face actually used: the named one where installed, else a similar substitute at the
    // same size and weight.
    const QFontInfo used(font);
    QVERIFY2(substitutes.contains(used.family()), qPrintable(used.family()));
    QCOMPARE(used.bold(), bold);
    QVERIFY(!used.italic());
}

void TestForm1::textBoxColours_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("back");
    QTest::addColumn<QColor>("fore");
    const QColor blue(0, 0, 255), white(255, 255, 255), black(0, 0, 0);
    const QColor yellow(255, 255, 0), navy(0, 0, 128);
    QTest::addRow("txtTime") << QStringLiteral("txtTime") << blue << white;
    QTest::addRow("txtFisch1") << QStringLiteral("txtFisch1") << blue << white;
    QTest::addRow("txtFisch2") << QStringLiteral("txtFisch2") << blue << white;
    QTest::addRow("txtF1p") << QStringLiteral("txtF1p") << white << black;
    QTest::addRow("txtF2W") << QStringLiteral("txtF2W") << white << black;
    QTest::addRow("txtF2fress") << QStringLiteral("txtF2fress") << white << black;
    QTest::addRow("txtF2sterb") << QStringLiteral("txtF2sterb") << white << black;
    QTest::addRow("Text2") << QStringLiteral("Text2") << white << black;
    QTest::addRow("Text4") << QStringLiteral("Text4") << black << white;
    QTest::addRow("Text3") << QStringLiteral("Text3") << black << white;
    QTest::addRow("Text1") << QStringLiteral("Text1") << black << white;
    QTest::addRow("txtxr") << QStringLiteral("txtxr") << black << white;
    QTest::addRow("txtyo") << QStringLiteral("txtyo") << black << white;
    QTest::addRow("txtFisch1Bestand") << QStringLiteral("txtFisch1Bestand") << yellow << black;
    QTest::addRow("txtFisch2Bestand") << QStringLiteral("txtFisch2Bestand") << navy << white;
}

void TestForm1::textBoxColours() {
    QFETCH(QString, name);
    QFETCH(QColor, back);
    QFETCH(QColor, fore);
    auto* box = m_design->findChild<rb::TextBox*>(name);
    QVERIFY(box);
    if (box->text().isEmpty()) {
        box->setText(QStringLiteral("88")); // the stock displays start empty
    }
    const QImage shown = box->grab().toImage();
    // Just inside the one-pixel frame line: the back colour; somewhere in the text: the
    // text colour.
    QCOMPARE(shown.pixelColor(1, 1), back);
    QCOMPARE(shown.pixelColor(shown.width() - 2, shown.height() - 2), back);
    QVERIFY(hasColour(shown, shown.rect().adjusted(1, 1, -1, -1), fore, 48));
}

void TestForm1::surfaceColours() {
    Form1& f = *m_design;
    const QColor white(255, 255, 255);
    // Panels: navy under the time-series strip (the 15-twip gap above its scroll bar), the
    // window's blue left of the phase diagram, the system background around the parameters.
    QCOMPARE(f.Picture2->backColor(), QColor(0, 0, 128));
    QCOMPARE(pixelAt(f.Picture2, QPoint(100, 1 + 267)), QColor(0, 0, 128));
    QCOMPARE(f.Picture1->backColor(), QColor(0, 0, 192));
    QCOMPARE(pixelAt(f.Picture1, QPoint(5, 100)), QColor(0, 0, 192));
    QCOMPARE(pixelAt(f.Picture3, QPoint(2, 2)), white);
    QCOMPARE(f.picDiagramm->backColor(), QColor(0, 0, 0));
    QCOMPARE(f.picDiagramm->foreColor(), white);
    QCOMPARE(f.picDiagramm->drawWidth(), 2);
    QVERIFY(f.picDiagramm->autoRedraw());
    QCOMPARE(f.picphase->backColor(), QColor(0, 0, 0));
    QCOMPARE(f.picphase->foreColor(), white);
    QCOMPARE(f.picphase->drawWidth(), 5);
    QVERIFY(f.picphase->autoRedraw());
    // Frame lines: the aquarium, the two diagram panels' frames as designed.
    QVERIFY(f.picAqua->hasFrameLine());
    QVERIFY(f.Picture2->hasFrameLine());
    QVERIFY(!f.Picture1->hasFrameLine());
    QVERIFY(f.Picture3->hasFrameLine());
    QVERIFY(!f.picDiagramm->hasFrameLine());
    QVERIFY(f.picphase->hasFrameLine());
    // The window: its blue behind the backdrop photograph.
    QCOMPARE(f.client()->backColor(), QColor(0, 0, 192));
    QVERIFY(samePicture(f.client()->picture(), QStringLiteral("reefBackdrop")));
    QVERIFY(!f.windowIcon().isNull());
    // The check box: white "auto" on black.
    const QImage check = f.Check1->grab().toImage();
    QCOMPARE(check.pixelColor(check.width() - 2, 1), QColor(0, 0, 0));
    QVERIFY(hasColour(check, check.rect(), white, 48));
    // "Wachstumsrate": black on white, on the window's backdrop.
    const QRect label = f.Label1->pixelRect().toRect();
    const QImage window = f.client()->grab(label).toImage();
    QCOMPARE(window.pixelColor(window.width() - 1, 0), white);
    QVERIFY(hasColour(window, window.rect(), QColor(0, 0, 0), 48));
    // The line along the control area: 2 pixels wide, in the window text colour.
    const QImage line = f.client()->grab(QRect(1041, 500, 6, 1)).toImage();
    QCOMPARE(line.pixelColor(2, 0), QColor(0, 0, 0));
    QCOMPARE(line.pixelColor(3, 0), QColor(0, 0, 0));
    QVERIFY(line.pixelColor(1, 0) != QColor(0, 0, 0));
    QVERIFY(line.pixelColor(4, 0) != QColor(0, 0, 0));
    // The tool tip of the target marker.
    QCOMPARE(f.imgtarget->toolTip(), QStringLiteral("linke Maustaste drücken und halten"));
}

void TestForm1::cutOffControls_data() {
    // How far a control reaches past its container's right or bottom edge, and how much of it
    // lies inside; in pixels.
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("bottom");
    QTest::addColumn<int>("inside");
    QTest::addColumn<int>("beyond");
    QTest::addRow("HScroll4") << QStringLiteral("HScroll4") << false << 697 << 8;
    QTest::addRow("Text1") << QStringLiteral("Text1") << false << 29 << 4;
    QTest::addRow("Image6") << QStringLiteral("Image6") << true << 26 << 35;
    QTest::addRow("Image5") << QStringLiteral("Image5") << true << 62 << 36;
    QTest::addRow("bildfisch(0)") << QStringLiteral("bildfisch(0)") << true << 58 << 6;
}

void TestForm1::cutOffControls() {
    QFETCH(QString, name);
    QFETCH(bool, bottom);
    QFETCH(int, inside);
    QFETCH(int, beyond);
    Form1& f = *m_design;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QRect rect;
    QSize containerSize;
    if (auto* w = f.findChild<QWidget*>(name)) {
        auto* c = qobject_cast<rb::Container*>(w->parentWidget());
        rect = w->geometry().translated(-c->innerRect().topLeft());
        containerSize = c->size();
    } else {
        auto* light = f.findChild<rb::LightControl*>(name);
        QVERIFY(light);
        rect = light->pixelRect().toRect().translated(-light->container()->innerRect().topLeft());
        containerSize = light->container()->size();
    }
    const int start = bottom ? rect.top() : rect.left();
    const int end = bottom ? rect.top() + rect.height() : rect.left() + rect.width();
    const int edge = bottom ? containerSize.height() : containerSize.width();
    QCOMPARE(edge - start, inside);
    QCOMPARE(end - edge, beyond);
}

void TestForm1::windowCaptionClientAreaAndPlace() {
    Form1& f = *m_design;
    QCOMPARE(f.objectName(), QStringLiteral("Form1"));
    QCOMPARE(f.windowTitle(), QStringLiteral("Räuber-Beute Modell"));
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QCOMPARE(f.client()->size(), QSize(1256, 678));
    QCOMPARE(f.client()->mapTo(&f, QPoint(0, 0)),
             QPoint(0, f.menuBar()->isVisible() ? f.menuBar()->height() : 0));
    QCOMPARE(f.frameGeometry().topLeft(), QPoint(0, 0));
    QVERIFY(!(f.windowFlags() & Qt::FramelessWindowHint));
}

void TestForm1::resizingMovesNothing() {
    Form1& f = **m_loaded;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QHash<QString, QRect> before;
    for (QWidget* w : f.client()->findChildren<QWidget*>()) {
        before.insert(w->objectName(), w->geometry());
    }
    QHash<QString, QRectF> lightsBefore;
    for (auto* c : f.client()->findChildren<rb::LightControl*>()) {
        lightsBefore.insert(c->objectName(), c->pixelRect());
    }
    const QPoint clientCorner = f.client()->mapTo(&f, QPoint(0, 0));

    f.resize(1800, 1000);
    QTRY_COMPARE(f.client()->width(), 1800);
    QCOMPARE(f.client()->mapTo(&f, QPoint(0, 0)), clientCorner);
    for (QWidget* w : f.client()->findChildren<QWidget*>()) {
        QCOMPARE(w->geometry(), before.value(w->objectName()));
    }
    for (auto* c : f.client()->findChildren<rb::LightControl*>()) {
        QCOMPARE(c->pixelRect(), lightsBefore.value(c->objectName()));
    }
    // More of the backdrop shows, and beyond its 1680 x 1303 pixels the window's blue.
    const QImage shown = f.client()->grab().toImage();
    const QImage backdrop = storePicture(QStringLiteral("reefBackdrop")).toImage();
    QCOMPARE(shown.pixelColor(1700, 100), QColor(0, 0, 192));
    QCOMPARE(shown.pixelColor(1500, 800), backdrop.pixelColor(1500, 800));
    QCOMPARE(shown.pixelColor(1679, 100), backdrop.pixelColor(1679, 100));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
