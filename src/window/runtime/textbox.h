// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/container.h"

#include <QColor>
#include <QLineEdit>

namespace rb {

// A one-line editable text box, flat: no 3-D edge, a one-pixel frame line.
// Its panel and frame line cover every pixel of its area.
class TextBox : public QLineEdit, public PaintsWholeArea {
    Q_OBJECT

public:
    TextBox(Container* container, const QString& name);

    // Hides QLineEdit::setText: an unchanged text is left as it is (no layout, no repaint,
    // the cursor stays).
    void setText(const QString& text);

    void setColors(const QColor& back, const QColor& fore);
    void setAlignment(Qt::Alignment alignment) {
        QLineEdit::setAlignment(alignment | Qt::AlignVCenter);
    }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyStyle();
    // The text's insets at the zoom; a left-aligned text of a box that reaches past its
    // container's frame is drawn further left, as far as needed and possible, so that it shows
    // whole before the container's focus mark (the glyphs of a face are a pixel wider or
    // narrower from one rasteriser to another, and at most zooms the design leaves none spare).
    void placeText();

    QColor m_back = Qt::white;
    QColor m_fore = Qt::black;
};

} // namespace rb
