#include "window/form1.h"

#include "window/accessibility.h"
#include "window/pictures.h"

#include <QAction>
#include <QMenuBar>

#include <cmath>

namespace rb {

namespace {

const QColor kWindowBlue(0, 0, 192);
const QColor kYellow(255, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kNavy(0, 0, 128);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
// The platform's window background and window text colours.
const QColor kSystemBack(255, 255, 255);
const QColor kSystemText(0, 0, 0);

QFont sansFont(double points, bool bold = false) {
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QFont serifFont(double points, bool bold) {
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

int pixels(double twips) { return static_cast<int>(std::lround(twipsToPixels(twips))); }

QPixmap picture(const char* name) { return PictureStore::instance().picture(QLatin1String(name)); }

// The keyboard focus order is kept as a property and applied once all controls exist.
void setTabIndex(QWidget* w, int index) { w->setProperty("TabIndex", index); }

struct Geometry {
    double left, top, width, height; // twips, inside the container's inner area
};

TextBox* textBox(Container* container, const QString& name, Geometry g, int tab,
                 const QString& text, const QColor& back, const QColor& fore,
                 Qt::Alignment align, const QFont* font = nullptr) {
    auto* t = new TextBox(name, container);
    container->placeTwips(t, g.left, g.top, g.width, g.height);
    t->setColors(back, fore);
    t->setAlignment(align);
    if (font) {
        t->setFont(*font);
    }
    t->setText(text);
    setTabIndex(t, tab);
    return t;
}

ScrollBar* scrollBar(Container* container, const QString& name, Qt::Orientation o, Geometry g,
                     int tab, int min, int max, int value) {
    auto* s = new ScrollBar(o, name, container);
    container->placeTwips(s, g.left, g.top, g.width, g.height);
    s->setRange(min, max);
    s->setValue(value);
    s->setFocusPolicy(Qt::StrongFocus); // every scroll bar takes part in the focus order
    setTabIndex(s, tab);
    return s;
}

Button* button(Container* container, const QString& name, Geometry g, int tab,
               const QPixmap& pic, const QString& caption = {}) {
    auto* b = new Button(name, container);
    container->placeTwips(b, g.left, g.top, g.width, g.height);
    b->setBackColor(kYellow);
    b->setPicture(pic);
    b->setCaption(caption);
    setTabIndex(b, tab);
    return b;
}

PictureBox* pictureBox(Container* container, const QString& name, Geometry g, int tab,
                       const QColor& back, bool frameLine) {
    auto* p = new PictureBox(container);
    p->setObjectName(name);
    container->placeTwips(p, g.left, g.top, g.width, g.height);
    p->setBackColor(back);
    p->setFrameLine(frameLine);
    p->setFocusPolicy(Qt::StrongFocus);
    setTabIndex(p, tab);
    return p;
}

// An image at a design position in twips; stretched images give their size in twips too.
Image* image(Container* container, const QString& name, double left, double top,
             const QPixmap& pic, double stretchWidth = 0, double stretchHeight = 0) {
    auto* img = new Image(container, name);
    if (stretchWidth > 0) {
        img->setStretch(QSize(pixels(stretchWidth), pixels(stretchHeight)));
    }
    img->setPicture(pic);
    img->move(static_cast<float>(left), static_cast<float>(top));
    return img;
}

// Labels keep their TabIndex although they never take the focus.
Label* label(Container* container, const QString& name, Geometry g, int tab,
             const QString& caption, Qt::Alignment align) {
    auto* l = new Label(container, name, QSize(pixels(g.width), pixels(g.height)));
    l->setProperty("TabIndex", tab);
    l->move(static_cast<float>(g.left), static_cast<float>(g.top));
    l->setColors(kWhite, kBlack);
    l->setFont(sansFont(8.25));
    l->setAlignment(align);
    l->setCaption(caption);
    return l;
}

} // namespace

QString arrayName(const char* array, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

Form1::Form1(QWidget* parent) : Form(QStringLiteral("Form1"), parent) {
    setWindowTitle(QStringLiteral("Räuber-Beute Modell"));
    setWindowIcon(QIcon(picture("appIcon")));
    setFont(sansFont(8.25));

    // Menu bar: five top-level entries, no submenus.
    cmdEnde = addMenuEntry(QStringLiteral("cmdEnde"), QStringLiteral("Beenden"));
    cmdZyk = addMenuEntry(QStringLiteral("cmdZyk"), QStringLiteral("großer anziehender Zyklus"));
    cmdKleinZyklus = addMenuEntry(QStringLiteral("cmdKleinZyklus"),
                                  QStringLiteral("kleiner anziehender Zyklus"));
    cmdfix = addMenuEntry(QStringLiteral("cmdfix"), QStringLiteral("anziehender Fixpunkt"));
    cmdlabil = addMenuEntry(QStringLiteral("cmdlabil"), QStringLiteral("labiles Gleichgewicht"));

    Container* c = client();
    c->setBackColor(kWindowBlue);
    c->setPicture(picture("reefBackdrop"));
    setClientSizeTwips(18840, 10170);
    // The client area's corner 60 twips right and 630 twips down from the screen's corner
    // puts the frame's outer corner at the screen's corner.
    move(0, 0);

    buildWindow();
    buildAquarium();
    buildTimeSeries();
    buildPhaseDiagram();
    buildPredatorParameters();
    buildDecorations();
    setTabOrder();

    Timer1 = new Timer(QStringLiteral("Timer1"), this);
    Timer1->setInterval(250);
    Timer1->setEnabled(true);

    setAccessibleTexts(*this);
}

void Form1::buildWindow() {
    Container* c = client();
    const QFont bold12 = sansFont(12, true);
    const QFont regular135 = sansFont(13.5);
    const auto centred = Qt::AlignHCenter;

    // Widgets are created bottom-most first: a later sibling lies above an earlier one.
    Picture1 = pictureBox(c, QStringLiteral("Picture1"), {10260, 0, 5415, 5475}, 1, kWindowBlue,
                          false);
    Picture2 = pictureBox(c, QStringLiteral("Picture2"), {0, 5460, 10455, 4335}, 2, kNavy, true);
    picAqua = pictureBox(c, QStringLiteral("picAqua"), {0, 0, 10455, 5475}, 0, kSystemBack, true);
    picAqua->setPicture(picture("reefAquarium"));

    Check1 = new CheckBox(QStringLiteral("Check1"), QStringLiteral("auto"), c);
    c->placeTwips(Check1, 9420, 5460, 735, 315);
    Check1->setColors(kBlack, kWhite);
    setTabIndex(Check1, 9);

    Text3 = textBox(c, QStringLiteral("Text3"), {12660, 5220, 375, 195}, 10, QStringLiteral("12"),
                    kBlack, kWhite, centred);
    Text4 = textBox(c, QStringLiteral("Text4"), {10500, 2400, 375, 285}, 11, QStringLiteral("20"),
                    kBlack, kWhite, Qt::AlignLeft);
    Text2 = textBox(c, QStringLiteral("Text2"), {10440, 9480, 5235, 318}, 14,
                    QStringLiteral("Generation 0"), kWhite, kSystemText, Qt::AlignLeft);
    VScroll1 = scrollBar(c, QStringLiteral("VScroll1"), Qt::Vertical, {10920, 7320, 255, 435}, 15,
                         100, 0, 10);
    txtF1p = textBox(c, QStringLiteral("txtF1p"), {11160, 7320, 915, 420}, 16,
                     QStringLiteral("10"), kSystemBack, kSystemText, centred, &regular135);
    txtFisch1 = textBox(c, QStringLiteral("txtFisch1"), {10920, 5700, 1095, 345}, 17,
                        QStringLiteral("1"), kBlue, kWhite, centred, &bold12);
    HScroll1 = scrollBar(c, QStringLiteral("HScroll1"), Qt::Horizontal, {10920, 6060, 1095, 195},
                         18, 0, 32, 1);
    txtFisch2 = textBox(c, QStringLiteral("txtFisch2"), {12420, 5700, 1095, 345}, 19,
                        QStringLiteral("0"), kBlue, kWhite, centred, &bold12);
    HScroll2 = scrollBar(c, QStringLiteral("HScroll2"), Qt::Horizontal, {12420, 6060, 1095, 195},
                         20, 0, 24, 0);
    HScroll3 = scrollBar(c, QStringLiteral("HScroll3"), Qt::Horizontal, {14340, 6060, 1095, 195},
                         21, 0, 50, 50);
    txtTime = textBox(c, QStringLiteral("txtTime"), {14340, 5700, 1095, 345}, 22,
                      QStringLiteral("10"), kBlue, kWhite, centred, &bold12);
    Command2 = button(c, QStringLiteral("Command2"), {14400, 7380, 975, 675}, 23,
                      picture("stopSign"));
    Command1 = button(c, QStringLiteral("Command1"), {14400, 8760, 975, 435}, 24,
                      picture("startArrow"));
    Command5 = button(c, QStringLiteral("Command5"), {14400, 8220, 975, 435}, 25,
                      picture("preyFace"));
    Picture3 = pictureBox(c, QStringLiteral("Picture3"), {12480, 7320, 1095, 2115}, 27,
                          kSystemBack, true);
}

void Form1::buildAquarium() {
    Container* a = picAqua;
    const QFont timesBold = serifFont(14.25, true);
    const QFont timesRegular = serifFont(14.25, false);

    // Light controls, bottom-most first. The fish arrays lie in this order among each other
    // (the predators' order is the one that lasts; start-up raises every prey picture).
    const QPixmap preyDesign = picture("preyFace");
    // The predators' design pictures never show (start-up replaces them), but they give the
    // design sizes: a predator seen from the front, 106 x 115 pixels, left blank here, and
    // for imgFisch2(7) the red version of the predator facing right.
    const QPixmap predatorRight = picture("predatorRight");
    const qreal dpr = predatorRight.devicePixelRatio();
    QPixmap predatorDesign(QSize(qRound(106 * dpr), qRound(115 * dpr)));
    predatorDesign.setDevicePixelRatio(dpr);
    predatorDesign.fill(Qt::transparent);
    QPixmap redPredator = QPixmap::fromImage(predatorRight.toImage().rgbSwapped());
    redPredator.setDevicePixelRatio(dpr);
    const auto prey = [&](int k) {
        QPixmap design = preyDesign;
        if (k == 31) {
            // The pink-bodied fish facing left, the mirror of the one facing right.
            const QImage right = picture("preyPinkRight").toImage();
            design = QPixmap::fromImage(right.mirrored(true, false));
        }
        imgFisch1[static_cast<std::size_t>(k)] = image(a, arrayName("imgFisch1", k), 0, 0, design);
    };
    const auto predator = [&](int k) {
        imgFisch2[static_cast<std::size_t>(k)] =
            image(a, arrayName("imgFisch2", k), 0, 0, k == 7 ? redPredator : predatorDesign);
    };
    prey(0);
    predator(0);
    prey(1);
    predator(1);
    for (int k = 2; k <= 28; ++k) {
        prey(k);
    }
    prey(30);
    prey(32);
    for (int k = 2; k <= 17; ++k) {
        if (k != 7) {
            predator(k);
        }
    }
    for (int k : {21, 24, 23, 22, 20, 19, 18}) {
        predator(k);
    }
    prey(31);
    prey(29);
    predator(7);
    imgFisch1[0]->setTag(QStringLiteral("1"));

    imgfress[0] = image(a, arrayName("imgfress", 0), 960, 660, picture("eatingRight"));
    bildfisch[4] = image(a, arrayName("bildfisch", 4), 8160, 1020, picture("preyPinkRight"));
    bildfisch[4]->setVisible(false); // a picture store only
    imgfress[1] = image(a, arrayName("imgfress", 1), 5460, 1260, picture("eatingLeft"));

    // Widgets, bottom-most first.
    txtFisch2Bestand = textBox(a, QStringLiteral("txtFisch2Bestand"), {780, 0, 795, 510}, 12, {},
                               kNavy, kWhite, Qt::AlignHCenter, &timesRegular);
    txtFisch1Bestand = textBox(a, QStringLiteral("txtFisch1Bestand"), {0, 0, 795, 510}, 13, {},
                               kYellow, kSystemText, Qt::AlignRight, &timesBold);
    txtxr = textBox(a, QStringLiteral("txtxr"), {10080, 0, 375, 320}, 37, QStringLiteral("32"),
                    kBlack, kWhite, Qt::AlignHCenter);
    Text1 = textBox(a, QStringLiteral("Text1"), {10020, 5160, 495, 285}, 38, QStringLiteral("8 / 0"),
                    kBlack, kWhite, Qt::AlignLeft);
}

void Form1::buildTimeSeries() {
    Container* p = Picture2;
    picDiagramm = pictureBox(p, QStringLiteral("picDiagramm"), {0, 0, 32055, 4005}, 3, kBlack,
                             false);
    picDiagramm->setForeColor(kWhite);
    picDiagramm->setDrawWidth(2);
    picDiagramm->setAutoRedraw(true);
    HScroll4 = scrollBar(p, QStringLiteral("HScroll4"), Qt::Horizontal, {0, 4020, 10575, 315}, 4,
                         0, 30000, 0);
    Command3 = button(p, QStringLiteral("Command3"), {10140, 0, 315, 315}, 5, {},
                      QStringLiteral("X"));
}

void Form1::buildPhaseDiagram() {
    Container* p = Picture1;
    picphase = pictureBox(p, QStringLiteral("picphase"), {180, 0, 5235, 5475}, 6, kBlack, true);
    picphase->setForeColor(kWhite);
    picphase->setDrawWidth(5);
    picphase->setAutoRedraw(true);
    txtyo = textBox(p, QStringLiteral("txtyo"), {4980, 5160, 375, 285}, 7, QStringLiteral("24"),
                    kBlack, kWhite, Qt::AlignHCenter);

    Container* d = picphase;
    Image1[0] = image(d, arrayName("Image1", 0), 4200, 4800, picture("predatorRight"), 660, 630);
    bildfisch[3] = image(d, arrayName("bildfisch", 3), 780, 0, picture("preyYellowRight"), 450, 420);
    imgtarget = image(d, QStringLiteral("imgtarget"), 2280, 900, picture("targetCross"));
    imgtarget->setToolTip(QStringLiteral("linke Maustaste drücken und halten"));
    Command4 = button(d, QStringLiteral("Command4"), {4800, 0, 375, 315}, 8, {},
                      QStringLiteral("X"));
}

void Form1::buildPredatorParameters() {
    Container* p = Picture3;
    const QFont regular135 = sansFont(13.5);

    Label8 = label(p, QStringLiteral("Label8"), {0, 1860, 1095, 315}, 34,
                   QStringLiteral("Sterberate"), Qt::AlignHCenter);
    Label4 = label(p, QStringLiteral("Label4"), {0, 480, 1095, 315}, 35,
                   QStringLiteral("Proportional.f."), Qt::AlignHCenter);
    Label6 = label(p, QStringLiteral("Label6"), {0, 1200, 1035, 435}, 36,
                   QStringLiteral("Gefräßigkeit"), Qt::AlignHCenter);

    VScroll4 = scrollBar(p, QStringLiteral("VScroll4"), Qt::Vertical, {0, 1440, 255, 435}, 28, 100,
                         0, 10);
    txtF2sterb = textBox(p, QStringLiteral("txtF2sterb"), {240, 1440, 855, 420}, 29,
                         QStringLiteral("10"), kSystemBack, kSystemText, Qt::AlignHCenter,
                         &regular135);
    VScroll3 = scrollBar(p, QStringLiteral("VScroll3"), Qt::Vertical, {0, 720, 255, 435}, 30, 100,
                         0, 10);
    txtF2fress = textBox(p, QStringLiteral("txtF2fress"), {240, 720, 855, 420}, 31,
                         QStringLiteral("10"), kSystemBack, kSystemText, Qt::AlignHCenter,
                         &regular135);
    VScroll2 = scrollBar(p, QStringLiteral("VScroll2"), Qt::Vertical, {0, 60, 255, 375}, 32, 100,
                         0, 32);
    txtF2W = textBox(p, QStringLiteral("txtF2W"), {240, 0, 855, 420}, 33, QStringLiteral("32"),
                     kSystemBack, kSystemText, Qt::AlignHCenter, &regular135);
}

void Form1::buildDecorations() {
    Container* c = client();
    // Light controls of the window, bottom-most first.
    Image1[1] = image(c, arrayName("Image1", 1), 12480, 6240, picture("predatorLeft"), 1080, 1050);
    bildfisch[0] = image(c, arrayName("bildfisch", 0), 16920, 9300, picture("preyBowLeft"));
    Image2 = image(c, QStringLiteral("Image2"), 14400, 6360, picture("clockFace"), 945, 915);
    bildfisch[2] = image(c, arrayName("bildfisch", 2), 11460, 6480, picture("preyBowRight"), 810, 780);
    Label1 = label(c, QStringLiteral("Label1"), {10920, 7740, 1155, 255}, 26,
                   QStringLiteral("Wachstumsrate"), Qt::AlignLeft);
    Line1 = new Line(c, QStringLiteral("Line1"), QPointF(15660, 9660), QPointF(15660, 5460), 2,
                     kSystemText);
    bildfisch[1] = image(c, arrayName("bildfisch", 1), 10560, 6360, picture("preyYellowLeft"), 630,
                         585);
    Image3 = image(c, QStringLiteral("Image3"), 17640, 540, picture("fishOrangeLeft"));
    Image4 = image(c, QStringLiteral("Image4"), 16740, 540, QPixmap());
    Image4->setDesignSize(QSize(pixels(855), pixels(915))); // until start-up gives it a picture
    Image5 = image(c, QStringLiteral("Image5"), 15600, 9240, picture("predatorLeft"));
    Image6 = image(c, QStringLiteral("Image6"), 5940, 9780, picture("preyFace"));
}

void Form1::setTabOrder() {
    QList<QWidget*> focusable;
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->property("TabIndex").isValid()) {
            focusable.append(w);
        }
    }
    std::sort(focusable.begin(), focusable.end(), [](QWidget* a, QWidget* b) {
        return a->property("TabIndex").toInt() < b->property("TabIndex").toInt();
    });
    for (qsizetype k = 1; k < focusable.size(); ++k) {
        QWidget::setTabOrder(focusable[k - 1], focusable[k]);
    }
}

} // namespace rb
