// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form1.h"

#include "window/layout.h"
#include "window/pictures.h"
#include "window/runtime/accessibility.h"

#include <QAction>
#include <QMenuBar>

#include <algorithm>
#include <vector>

namespace rb {

namespace {

QFont makeFont(const FontDesign& design) {
    QFont f(QLatin1String(design.face));
    f.setPointSizeF(design.points);
    f.setBold(design.bold);
    return f;
}

QPixmap picture(const char* name) {
    return name ? PictureStore::instance().picture(QLatin1String(name)) : QPixmap();
}

QColor colour(QRgb rgb) {
    return QColor::fromRgb(rgb);
}

Qt::Alignment alignment(Align a) {
    switch (a) {
    case Align::Centre:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}

// The design pictures of the fish arrays. They never show (start-up replaces or hides them)
// but give the design sizes: the prey face on every prey but imgFisch1(31), which carries the
// pink-bodied fish facing left (the mirror of preyPinkRight); a predator seen from the front,
// 106 x 115 pixels, left blank here, on every predator but imgFisch2(7), which carries the red
// version of the predator facing right.
QPixmap fishDesignPicture(bool prey, int index) {
    if (prey) {
        if (index == 31) {
            return QPixmap::fromImage(picture("preyPinkRight").toImage().mirrored(true, false));
        }
        return picture("preyFace");
    }
    const QPixmap predatorRight = picture("predatorRight");
    const qreal dpr = predatorRight.devicePixelRatio();
    QPixmap design;
    if (index == 7) {
        design = QPixmap::fromImage(predatorRight.toImage().rgbSwapped());
    } else {
        design = QPixmap(QSize(qRound(106 * dpr), qRound(115 * dpr)));
        design.fill(Qt::transparent);
    }
    design.setDevicePixelRatio(dpr);
    return design;
}

// Gives a widget-based control its place, focus and keyboard order.
void placeWidget(Container* c, QWidget* w, const ControlRow& row) {
    c->placeTwips(w, row.place);
    if (row.tabIndex >= 0) {
        w->setProperty("TabIndex", row.tabIndex);
    }
}

} // namespace

QString arrayName(const char* array, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

Form1::Form1(QWidget* parent) : Form(QStringLiteral("Form1"), parent) {
    const WindowDesign& design = windowDesign();
    setWindowTitle(QString::fromUtf8(design.caption));
    setWindowIcon(QIcon(picture(design.icon)));
    setFont(makeFont(design.font));

    for (const MenuRow& m : menuRows()) {
        QAction* entry = addMenuEntry(QLatin1String(m.name), QString::fromUtf8(m.caption));
        describe(entry, QString::fromUtf8(m.caption), QString::fromUtf8(m.description));
        m_controls.insert(entry->objectName(), entry);
    }

    Container* c = client();
    c->setBackColor(colour(design.back));
    c->setPicture(picture(design.picture));
    setClientSizeTwips(design.clientWidth, design.clientHeight);
    // The client area's corner 60 twips right and 630 twips down from the screen's corner
    // puts the frame's outer corner at the screen's corner.
    move(0, 0);
    m_controls.insert(QStringLiteral("Form1"), c);

    buildControls();
    bindControls();
    setTabOrder();
}

QObject* Form1::control(const QString& name) const {
    return m_controls.value(name);
}

void Form1::buildControls() {
    // The containers in the order the table first names them; each one's rows are made
    // bottom-most first, so that a later sibling lies above an earlier one.
    std::vector<const char*> containers;
    for (const ControlRow& row : controlRows()) {
        if (std::none_of(containers.begin(), containers.end(),
                         [&](const char* n) { return qstrcmp(n, row.container) == 0; })) {
            containers.push_back(row.container);
        }
    }
    for (const char* containerName : containers) {
        auto* c = qobject_cast<Container*>(control(QLatin1String(containerName)));
        Q_ASSERT(c);
        if (qstrcmp(containerName, "picAqua") == 0) {
            // The fish lie below every other control of the aquarium.
            const auto fishes = fishStacking();
            for (auto it = fishes.rbegin(); it != fishes.rend(); ++it) {
                const QString name = QLatin1String(*it);
                const bool prey = name.startsWith(QLatin1String("imgFisch1"));
                const int index = name.section(QLatin1Char('('), 1).chopped(1).toInt();
                auto* img = new Image(c, name);
                img->setPicture(fishDesignPicture(prey, index));
                m_controls.insert(name, img);
            }
        }
        const auto rows = controlRows();
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
            const ControlRow& row = *it;
            if (qstrcmp(row.container, containerName) != 0) {
                continue;
            }
            const QString name = QString::fromUtf8(row.name);
            QObject* made = makeControl(c, row);
            if (row.accessibleName) {
                describe(made, QString::fromUtf8(row.accessibleName),
                         QString::fromUtf8(row.accessibleDescription), row.accessibleRole);
            }
            m_controls.insert(name, made);
        }
    }
    // The one design tag of the fish arrays.
    qobject_cast<Image*>(control(QStringLiteral("imgFisch1(0)")))->setTag(QStringLiteral("1"));
}

// Makes one control of the layout table in its container.
QObject* Form1::makeControl(Container* c, const ControlRow& row) {
    const QString name = QString::fromUtf8(row.name);
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case Kind::PictureBox: {
        auto* p = new PictureBox(c, name);
        placeWidget(c, p, row);
        p->setBackColor(colour(row.back));
        p->setFrameLine(row.frameLine);
        if (row.picture) {
            p->setPicture(picture(row.picture));
        }
        if (row.fore) {
            p->setForeColor(colour(row.fore));
        }
        if (row.drawWidth > 0) {
            p->setDrawWidth(row.drawWidth);
        }
        p->setAutoRedraw(row.persistent);
        return p;
    }
    case Kind::TextBox: {
        auto* t = new TextBox(c, name);
        placeWidget(c, t, row);
        t->setColors(colour(row.back), colour(row.fore));
        t->setAlignment(alignment(row.align));
        if (row.font.face) {
            t->setFont(makeFont(row.font));
        }
        t->setText(text);
        return t;
    }
    case Kind::HScrollBar:
    case Kind::VScrollBar: {
        auto* s = new ScrollBar(c, name);
        s->setOrientation(row.kind == Kind::HScrollBar ? Qt::Horizontal : Qt::Vertical);
        placeWidget(c, s, row);
        s->setRange(row.min, row.max);
        s->setValue(row.value);
        return s;
    }
    case Kind::Button: {
        auto* b = new Button(c, name);
        placeWidget(c, b, row);
        b->setBackColor(colour(row.back));
        b->setPicture(picture(row.picture));
        b->setCaption(text);
        return b;
    }
    case Kind::CheckBox: {
        auto* box = new CheckBox(c, name);
        box->setCaption(text);
        placeWidget(c, box, row);
        box->setColors(colour(row.back), colour(row.fore));
        return box;
    }
    case Kind::Image: {
        auto* img = new Image(c, name);
        if (row.stretch) {
            img->setStretch(row.place.width, row.place.height);
        }
        img->setPicture(picture(row.picture));
        img->move(static_cast<float>(row.place.left), static_cast<float>(row.place.top));
        if (!row.picture) {
            img->setDesignSize(row.place.width, row.place.height);
        }
        if (row.toolTip) {
            img->setToolTip(QString::fromUtf8(row.toolTip));
        }
        img->setVisible(row.visible);
        return img;
    }
    case Kind::Label: {
        // Labels keep their TabIndex although they never take the focus.
        auto* l = new Label(c, name);
        l->setSizeTwips(row.place.width, row.place.height);
        l->setProperty("TabIndex", row.tabIndex);
        l->move(static_cast<float>(row.place.left), static_cast<float>(row.place.top));
        l->setColors(colour(row.back), colour(row.fore));
        l->setFont(makeFont(row.font));
        l->setAlignment(alignment(row.align));
        l->setCaption(text);
        return l;
    }
    case Kind::Line: {
        auto* line = new Line(c, name);
        line->setLine(row.lineFrom, row.lineTo, row.drawWidth, colour(row.fore));
        return line;
    }
    case Kind::Timer: {
        auto* t = new Timer(this, name);
        t->setInterval(row.value);
        t->setEnabled(true);
        return t;
    }
    }
    return nullptr;
}

void Form1::bindControls() {
    bind(cmdEnde, QStringLiteral("cmdEnde"));
    bind(cmdZyk, QStringLiteral("cmdZyk"));
    bind(cmdKleinZyklus, QStringLiteral("cmdKleinZyklus"));
    bind(cmdfix, QStringLiteral("cmdfix"));
    bind(cmdlabil, QStringLiteral("cmdlabil"));
    bind(Timer1, QStringLiteral("Timer1"));

    bind(Picture3, QStringLiteral("Picture3"));
    bind(Command5, QStringLiteral("Command5"));
    bind(Command1, QStringLiteral("Command1"));
    bind(Command2, QStringLiteral("Command2"));
    bind(txtTime, QStringLiteral("txtTime"));
    bind(HScroll3, QStringLiteral("HScroll3"));
    bind(HScroll2, QStringLiteral("HScroll2"));
    bind(txtFisch2, QStringLiteral("txtFisch2"));
    bind(HScroll1, QStringLiteral("HScroll1"));
    bind(txtFisch1, QStringLiteral("txtFisch1"));
    bind(txtF1p, QStringLiteral("txtF1p"));
    bind(VScroll1, QStringLiteral("VScroll1"));
    bind(Text2, QStringLiteral("Text2"));
    bind(Text4, QStringLiteral("Text4"));
    bind(Text3, QStringLiteral("Text3"));
    bind(Check1, QStringLiteral("Check1"));
    bind(picAqua, QStringLiteral("picAqua"));
    bind(Picture2, QStringLiteral("Picture2"));
    bind(Picture1, QStringLiteral("Picture1"));
    bind(Image6, QStringLiteral("Image6"));
    bind(Image5, QStringLiteral("Image5"));
    bind(Image4, QStringLiteral("Image4"));
    bind(Image3, QStringLiteral("Image3"));
    bind(Line1, QStringLiteral("Line1"));
    bind(Label1, QStringLiteral("Label1"));
    bind(Image2, QStringLiteral("Image2"));

    bind(Text1, QStringLiteral("Text1"));
    bind(txtxr, QStringLiteral("txtxr"));
    bind(txtFisch1Bestand, QStringLiteral("txtFisch1Bestand"));
    bind(txtFisch2Bestand, QStringLiteral("txtFisch2Bestand"));
    bindArray(imgfress, "imgfress");
    bindArray(imgFisch1, "imgFisch1");
    bindArray(imgFisch2, "imgFisch2");
    bindArray(bildfisch, "bildfisch");
    bindArray(Image1, "Image1");

    bind(Command3, QStringLiteral("Command3"));
    bind(HScroll4, QStringLiteral("HScroll4"));
    bind(picDiagramm, QStringLiteral("picDiagramm"));

    bind(txtyo, QStringLiteral("txtyo"));
    bind(picphase, QStringLiteral("picphase"));
    bind(Command4, QStringLiteral("Command4"));
    bind(imgtarget, QStringLiteral("imgtarget"));

    bind(txtF2W, QStringLiteral("txtF2W"));
    bind(VScroll2, QStringLiteral("VScroll2"));
    bind(txtF2fress, QStringLiteral("txtF2fress"));
    bind(VScroll3, QStringLiteral("VScroll3"));
    bind(txtF2sterb, QStringLiteral("txtF2sterb"));
    bind(VScroll4, QStringLiteral("VScroll4"));
    bind(Label6, QStringLiteral("Label6"));
    bind(Label4, QStringLiteral("Label4"));
    bind(Label8, QStringLiteral("Label8"));
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
