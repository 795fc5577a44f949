#pragma once

#include <QCheckBox>

namespace rb {

// A check box whose Value is 0 (clear), 1 (ticked) or 2 (grey).
class CheckBox : public QCheckBox {
    Q_OBJECT

public:
    CheckBox(const QString& name, const QString& caption, QWidget* parent = nullptr);

    int value() const;
    void setValue(int value);
    void setColors(const QColor& back, const QColor& fore);
};

} // namespace rb
