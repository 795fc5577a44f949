// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/lightcontrol.h"

#include <QColor>
#include <QFont>
#include <QSize>

namespace rb {

// A label: a caption on an opaque background, drawn on its container's surface.
class Label : public LightControl {
    Q_OBJECT

public:
    Label(Container* container, const QString& name);

    // Width and Height in twips.
    void setSizeTwips(double width, double height);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    void setColors(const QColor& back, const QColor& fore);
    void setFont(const QFont& font);
    void setAlignment(Qt::Alignment alignment);

    QSizeF pixelSize() const override;
    void paint(QPainter& painter) const override;

private:
    QSizeF m_twips;
    QString m_caption;
    QColor m_back = Qt::white;
    QColor m_fore = Qt::black;
    QFont m_font;
    Qt::Alignment m_alignment = Qt::AlignLeft;
};

} // namespace rb
