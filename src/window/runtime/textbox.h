// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLineEdit>

namespace rb {

class Container;

// A one-line editable text box, flat: no 3-D edge, a one-pixel frame line.
class TextBox : public QLineEdit {
    Q_OBJECT

public:
    TextBox(Container* container, const QString& name);

    void setColors(const QColor& back, const QColor& fore);
    void setAlignment(Qt::Alignment alignment) {
        QLineEdit::setAlignment(alignment | Qt::AlignVCenter);
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyStyle();

    QColor m_back = Qt::white;
    QColor m_fore = Qt::black;
};

} // namespace rb
