// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/label.h"

#include "window/runtime/userscale.h"

#include <QPainter>

namespace rb {

Label::Label(Container* container, const QString& name) : LightControl(container, name) {}

void Label::setSizeTwips(double width, double height) {
    changeGeometry([&] { m_twips = QSizeF(width, height); });
}

QSizeF Label::pixelSize() const {
    return QSizeF(twipsToWholePixels(m_twips.width()), twipsToWholePixels(m_twips.height()));
}

void Label::setCaption(const QString& caption) {
    changeGeometry([&] { m_caption = caption; });
}

void Label::setColors(const QColor& back, const QColor& fore) {
    changeGeometry([&] {
        m_back = back;
        m_fore = fore;
    });
}

void Label::setFont(const QFont& font) {
    changeGeometry([&] { m_font = font; });
}

void Label::setAlignment(Qt::Alignment alignment) {
    changeGeometry([&] { m_alignment = alignment; });
}

void Label::paint(QPainter& painter) const {
    const QRectF r = pixelRect();
    painter.fillRect(r, m_back);
    painter.setPen(m_fore);
    painter.setFont(zoomedFont(m_font, formZoom()));
    painter.drawText(r, static_cast<int>(m_alignment | Qt::AlignTop | Qt::TextWordWrap), m_caption);
}

} // namespace rb
