// SPDX-License-Identifier: GPL-3.0-or-later
// The window as built from its layout table (each control's own design values are checked in
// tst_windowtable): absolute places of controls in nested containers, the menu bar, the
// stacking in every container, fonts, colours, the controls cut off at their container's edge,
// the caption and the client area.

#include "support/formfixture.h"
#include "window/form1.h"
#include "window/layout.h"
#include "window/pictures.h"
#include "window/runtime/fonts.h"

#include <QAction>
#include <QApplication>
#include <QFocusFrame>
#include <QFontInfo>
#include <QMenuBar>
#include <QTest>

#include <cmath>
#include <memory>
#include <optional>

using rb::arrayName;
using rb::Form1;

namespace {

QPixmap storePicture(const QString& name) {
    return rb::PictureStore::instance().picture(name);
}

bool samePicture(const QPixmap& shown, const char* name) {
    const QPixmap expected = storePicture(QLatin1String(name));
    return !expected.isNull() && shown.cacheKey() == expected.cacheKey();
}

// A control's rectangle in pixels from the client area's corner, cut at nothing.
QRect absoluteRect(const Form1& f, const QString& name) {
    if (auto* w = f.findChild<QWidget*>(name)) {
        return QRect(w->mapTo(f.client(), QPoint(0, 0)), w->size());
    }
    if (auto* light = f.findChild<rb::LightControl*>(name)) {
        const QRect r = light->pixelRect().toRect();
        return QRect(light->container()->mapTo(f.client(), r.topLeft()), r.size());
    }
    return {};
}

QColor pixelAt(QWidget* w, QPoint at) {
    return w->grab().toImage().pixelColor(at);
}

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
    return names("imgFisch2", {18, 19, 20, 22, 23, 24, 21}) + range("imgFisch2", 17, 2, {7});
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void absolutePlaces_data();
    void absolutePlaces();
    void startUpGivesImage4ItsPictureAndEveryFishItsTag();
    void fishKeepTheirPlacesInTheAquarium();
    void timer();
    void hiddenPictureStoreNeverShows();

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

void TestForm1::initTestCase() {
    rb::installFontSubstitutes();
}

void TestForm1::init() {
    m_design = std::make_unique<Form1>();
    m_design->setEndHook([] {});
    m_loaded = rbtest::loadForm(7);
}

void TestForm1::cleanup() {
    m_loaded.reset();
    m_design.reset();
}

void TestForm1::absolutePlaces_data() {
    // Pixels from the client area's corner, worked out by hand from the design twips (15 to a
    // pixel) and the containers' one-pixel frame lines: picAqua, Picture2, picphase and
    // Picture3 have one, Picture1 has none.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addRow("picAqua") << "picAqua" << QRect(0, 0, 697, 365);
    QTest::addRow("Text1 in picAqua") << "Text1" << QRect(669, 345, 33, 19);
    QTest::addRow("txtFisch2Bestand in picAqua") << "txtFisch2Bestand" << QRect(53, 1, 53, 34);
    QTest::addRow("HScroll4 in Picture2") << "HScroll4" << QRect(1, 633, 705, 21);
    QTest::addRow("picDiagramm in Picture2") << "picDiagramm" << QRect(1, 365, 2137, 267);
    QTest::addRow("Command3 in Picture2") << "Command3" << QRect(677, 365, 21, 21);
    QTest::addRow("picphase in Picture1") << "picphase" << QRect(696, 0, 349, 365);
    QTest::addRow("txtyo in Picture1") << "txtyo" << QRect(1016, 344, 25, 19);
    QTest::addRow("Command4 in picphase") << "Command4" << QRect(1017, 1, 25, 21);
    QTest::addRow("imgtarget in picphase") << "imgtarget" << QRect(849, 61, 27, 26);
    QTest::addRow("bildfisch(3) in picphase") << "bildfisch(3)" << QRect(749, 1, 30, 28);
    QTest::addRow("txtF2sterb in Picture3") << "txtF2sterb" << QRect(849, 585, 57, 28);
    QTest::addRow("Label8 in Picture3") << "Label8" << QRect(833, 613, 73, 21);
    QTest::addRow("Text2") << "Text2" << QRect(696, 632, 349, 21);
}

void TestForm1::absolutePlaces() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QCOMPARE(absoluteRect(*m_design, name), rect);
}

void TestForm1::startUpGivesImage4ItsPictureAndEveryFishItsTag() {
    QVERIFY(m_design->Image4->picture().isNull());
    QCOMPARE(absoluteRect(*m_design, QStringLiteral("Image4")), QRect(1116, 36, 57, 61));
    const Form1& f = **m_loaded;
    QVERIFY(samePicture(f.Image4->picture(), "preyPinkRight"));
    QCOMPARE(absoluteRect(f, QStringLiteral("Image4")), QRect(1116, 36, 58, 64)); // 870 x 960
    QCOMPARE(f.imgFisch1[0]->tag(), QStringLiteral("1"));
    QCOMPARE(m_design->imgFisch1[1]->tag(), QString());
    for (std::size_t k = 1; k < f.imgFisch1.size(); ++k) {
        QCOMPARE(f.imgFisch1[k]->tag(), QStringLiteral("1"));
    }
    for (std::size_t k = 1; k < f.imgFisch2.size(); ++k) {
        QCOMPARE(f.imgFisch2[k]->tag(), QStringLiteral("1"));
    }
}

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
    QCOMPARE(captions,
             (QStringList{QStringLiteral("Beenden"), QStringLiteral("großer anziehender Zyklus"),
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
    const QStringList design =
        names("imgFisch2", {7}) + names("imgFisch1", {29, 31}) + predatorsBelowSeven() +
        names("imgFisch1", {32, 30}) + range("imgFisch1", 28, 2) + names("imgFisch2", {1}) +
        names("imgFisch1", {1}) + names("imgFisch2", {0}) + names("imgFisch1", {0});
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
                          "Text2", "Text4", "Text3", "Check1", "picAqua", "Picture2", "Picture1"}));
    QCOMPARE(lightsTopmostFirst(f.client()),
             QStringList({"Image6", "Image5", "Image4", "Image3", "bildfisch(1)", "Line1", "Label1",
                          "bildfisch(2)", "Image2", "bildfisch(0)", "Image1(1)"}));
    QCOMPARE(widgetsTopmostFirst(f.picAqua),
             QStringList({"Text1", "txtxr", "txtFisch1Bestand", "txtFisch2Bestand"}));
    QCOMPARE(widgetsTopmostFirst(f.Picture2), QStringList({"Command3", "HScroll4", "picDiagramm"}));
    QCOMPARE(widgetsTopmostFirst(f.Picture1), QStringList({"txtyo", "picphase"}));
    QCOMPARE(widgetsTopmostFirst(f.picphase), QStringList({"Command4"}));
    QCOMPARE(lightsTopmostFirst(f.picphase),
             QStringList({"imgtarget", "bildfisch(3)", "Image1(0)"}));
    QCOMPARE(widgetsTopmostFirst(f.Picture3), QStringList({"txtF2W", "VScroll2", "txtF2fress",
                                                           "VScroll3", "txtF2sterb", "VScroll4"}));
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
    QVERIFY(samePicture(f.client()->picture(), "reefBackdrop"));
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
