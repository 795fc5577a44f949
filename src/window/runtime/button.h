// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/palette.h"

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

namespace rb {

class Container;

// A graphical command button: a raised 3-D button in its back colour showing a picture
// centred (cut at the edges when larger) and an optional caption. Click is clicked(): by the
// mouse, or by Space or Enter while the button has the focus.
class Button : public QAbstractButton {
    Q_OBJECT

public:
    Button(Container* container, const QString& name);

    void setBackColor(const QColor& colour);
    QColor backColor() const { return m_back; }
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }
    void setCaption(const QString& caption) { setText(caption); }

    QSize sizeHint() const override { return {65, 29}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor m_back = paletteColor(kLightGrey);
    QPixmap m_picture;
};

} // namespace rb
