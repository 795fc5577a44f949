// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form1.h"

#include "window/layout.h"
#include "window/pictures.h"
#include "window/runtime/accessibility.h"
#include "window/runtime/fonts.h"

#include <QAction>
#include <QMenuBar>

#include <algorithm>
#include <type_traits>
#include <vector>

namespace rb {

namespace {

QFont makeFont(const FontDesign& design) {
    QFont f(QLatin1String(design.face));
    f.setPointSizeF(design.points);
    f.setBold(design.bold);
    passOverBitmapFaces(f);
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
    move(twipsToWholePixels(design.left), twipsToWholePixels(design.top));
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
        makeArrayElements(c, containerName); // below every row of the container
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
}

// Makes the elements of the control arrays in a container that the table describes by their
// array rows alone, in the order fishStacking() gives, bottom-most first.
void Form1::makeArrayElements(Container* c, const char* containerName) {
    const auto stacking = fishStacking();
    for (auto it = stacking.rbegin(); it != stacking.rend(); ++it) {
        const QString name = QLatin1String(*it);
        const QString array = name.section(QLatin1Char('('), 0, 0);
        const int index = name.section(QLatin1Char('('), 1).chopped(1).toInt();
        const auto rows = arrayRows();
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const ArrayRow& r) {
            return array == QLatin1String(r.name) && qstrcmp(r.container, containerName) == 0;
        });
        if (row == rows.end()) {
            continue;
        }
        const char* pictureName = row->picture;
        const char* tag = nullptr;
        for (const ElementDesign& e : row->exceptions) {
            if (e.index == index) {
                pictureName = e.picture ? e.picture : pictureName;
                tag = e.tag;
            }
        }
        auto* img = new Image(c, name);
        img->move(static_cast<float>(row->place.left), static_cast<float>(row->place.top));
        if (!pictureName) {
            img->setDesignSize(row->place.width, row->place.height);
        }
        img->setPicture(picture(pictureName));
        if (tag) {
            img->setTag(QString::fromUtf8(tag));
        }
        m_controls.insert(name, img);
    }
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

void Form1::noSuchControl(const QString& name) {
    qFatal("Form1: the layout makes no control %s of the kind its row names", qPrintable(name));
}

// Every member bound to its control; an element row whose kind is not its array's, or whose
// index lies outside it, does not compile.
void Form1::bindControls() {
#define RB_MENU(NAME, CAPTION, DESCRIPTION) bind(NAME, QStringLiteral(#NAME));
#define RB_CONTROL(NAME, KIND, ...) bind(NAME, QStringLiteral(#NAME));
#define RB_ARRAY(NAME, KIND, COUNT, ...) bindArray(NAME, #NAME);
#define RB_ELEMENT(ARRAY, INDEX, KIND, ...)                                                        \
    static_assert(std::is_same_v<decltype(ARRAY)::value_type, ControlType<Kind::KIND>*>,           \
                  #ARRAY "(" #INDEX "): not of its array's kind");                                 \
    static_assert(INDEX < std::tuple_size_v<decltype(ARRAY)>,                                      \
                  #ARRAY "(" #INDEX "): no such element");
#include "window/controllist.h"
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
