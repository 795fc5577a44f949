#pragma once

#include <QCheckBox>

namespace rb {

class Container;

// A check box whose Value is 0 (clear), 1 (ticked) or 2 (grey).
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
