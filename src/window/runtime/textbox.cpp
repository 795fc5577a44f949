// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/textbox.h"

#include "window/runtime/container.h"
#include "window/runtime/drawing.h"
#include "window/runtime/palette.h"
#include "window/runtime/userscale.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace rb {

namespace {

// The longest text a box keeps: the boxes hold numbers, and a line this long is laid out and
// painted anew well within 50 ms a key, in any script, also on a busy machine (`bench`).
// Typing and pasting beyond it are ignored; a longer text set by code is cut there.
constexpr int kMaxTextLength = 1024;

// The text's inset from each side: 4 design pixels at the zoom, rounded down as the font is (a
// text never grows faster than its box), of which Qt's line edit keeps 2 logical pixels of its
// own at every zoom; ours are the rest (2 at 100 %, none at 50 %).
constexpr int kQtOwnMargin = 2;

int textMargin() {
    return std::max(0, static_cast<int>(std::floor(4 * formZoom() + 1e-9)) - kQtOwnMargin);
}

} // namespace

TextBox::TextBox(Container* container, const QString& name) : QLineEdit(container) {
    setObjectName(name);
    setFrame(false);
    setTextMargins(textMargin(), 0, textMargin(), 0); // inside the frame line
    connect(this, &QLineEdit::textChanged, this, &TextBox::placeText);
    setMaxLength(kMaxTextLength);
    setAutoFillBackground(false);
    QLineEdit::setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    applyStyle();
}

void TextBox::setColors(const QColor& back, const QColor& fore) {
    m_back = back;
    m_fore = fore;
    applyStyle();
}

void TextBox::setText(const QString& text) {
    // The same text again changes nothing; it would only lay the text out anew and move the
    // cursor of someone editing it to the end.
    if (text != QLineEdit::text()) {
        QLineEdit::setText(text);
    }
}

void TextBox::applyStyle() {
    QPalette p = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Base, m_back);
        p.setColor(group, QPalette::Window, m_back);
        p.setColor(group, QPalette::Text, m_fore);
        p.setColor(group, QPalette::Highlight, paletteColor(kDarkBlue));
        p.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    setPalette(p);
    update();
}

void TextBox::changeEvent(QEvent* event) {
    // The form's zoom changes every font: the margins follow it.
    if (event->type() == QEvent::FontChange) {
        placeText();
    }
    QLineEdit::changeEvent(event);
}

void TextBox::moveEvent(QMoveEvent* event) {
    placeText();
    QLineEdit::moveEvent(event);
}

void TextBox::resizeEvent(QResizeEvent* event) {
    placeText();
    QLineEdit::resizeEvent(event);
}

void TextBox::placeText() {
    const int margin = textMargin();
    int left = margin;
    const auto* box = qobject_cast<const Container*>(parentWidget());
    if (box && (alignment() & Qt::AlignLeft)) {
        // What the container's frame line and focus mark leave of this box.
        const int shown = box->innerRect().right() + 1 - 2 * zoomedPixels(1) - x();
        const int reach = kQtOwnMargin + margin + fontMetrics().horizontalAdvance(text());
        if (shown < width() && reach > shown) {
            left = std::max(-kQtOwnMargin, margin - (reach - shown));
        }
    }
    if (textMargins() != QMargins(left, 0, margin, 0)) {
        setTextMargins(left, 0, margin, 0);
    }
}

void TextBox::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    // The flat look: a one-pixel frame line, exact at any device pixel ratio.
    QPainter painter(this);
    drawFrameLine(painter, rect(), paletteColor(kBlack));
}

} // namespace rb
