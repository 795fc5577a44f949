#include "window/textbox.h"

#include <QPainter>

namespace rb {

TextBox::TextBox(const QString& name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
    setFrame(false);
    setTextMargins(2, 0, 2, 0); // inside the frame line
    setAutoFillBackground(false);
    QLineEdit::setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    applyStyle();
}

void TextBox::setColors(const QColor& back, const QColor& fore) {
    m_back = back;
    m_fore = fore;
    applyStyle();
}

void TextBox::applyStyle() {
    QPalette p = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Base, m_back);
        p.setColor(group, QPalette::Window, m_back);
        p.setColor(group, QPalette::Text, m_fore);
        p.setColor(group, QPalette::Highlight, QColor(0, 0, 128));
        p.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    setPalette(p);
    update();
}

void TextBox::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    // The flat look: a one-pixel frame line, exact at any device pixel ratio.
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const QColor line(0, 0, 0);
    painter.fillRect(QRect(0, 0, w, 1), line);
    painter.fillRect(QRect(0, h - 1, w, 1), line);
    painter.fillRect(QRect(0, 0, 1, h), line);
    painter.fillRect(QRect(w - 1, 0, 1, h), line);
}

} // namespace rb
