// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>

namespace rb {

class Container;

// A check box whose Value is 0 (clear), 1 (ticked) or 2 (grey). Its box has the classic look
// whatever its colours: white with a sunken edge and a black tick (grey when the Value is 2);
// the caption takes the check box's text colour.
class CheckBox : public QCheckBox {
    Q_OBJECT

public:
    CheckBox(Container* container, const QString& name);

    void setCaption(const QString& caption) { setText(caption); }

    int value() const;
    void setValue(int value);
    void setColors(const QColor& back, const QColor& fore);
};

} // namespace rb
