#include "window/runtime/checkbox.h"

#include "window/runtime/container.h"

namespace rb {

CheckBox::CheckBox(Container* container, const QString& name) : QCheckBox(container) {
    setObjectName(name);
    setTristate(false);
}

int CheckBox::value() const {
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void CheckBox::setValue(int value) {
    if (value == 2) {
        setTristate(true);
        setCheckState(Qt::PartiallyChecked);
        return;
    }
    setCheckState(value == 1 ? Qt::Checked : Qt::Unchecked);
}

void CheckBox::setColors(const QColor& back, const QColor& fore) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::Button, back);
    p.setColor(QPalette::WindowText, fore);
    p.setColor(QPalette::ButtonText, fore);
    p.setColor(QPalette::Text, fore);
    setPalette(p);
}

} // namespace rb
