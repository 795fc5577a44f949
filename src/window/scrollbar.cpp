#include "window/scrollbar.h"

#include <algorithm>
#include <cstdlib>

namespace rb {

ScrollBar::ScrollBar(Qt::Orientation orientation, const QString& name, QWidget* parent)
    : QScrollBar(orientation, parent) {
    setObjectName(name);
    setSingleStep(1);
    setPageStep(1);
    setRange(0, 32767);
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::onQtValueChanged);
    connect(this, &QAbstractSlider::sliderPressed, this, [this] { m_valueAtPress = m_value; });
    connect(this, &QAbstractSlider::sliderReleased, this, &ScrollBar::onReleased);
}

int ScrollBar::toValue(int qtValue) const {
    return m_min <= m_max ? m_min + qtValue : m_min - qtValue;
}

int ScrollBar::toQt(int value) const { return std::abs(value - m_min); }

void ScrollBar::setRange(int min, int max) {
    m_min = min;
    m_max = max;
    m_settingRange = true;
    QScrollBar::setRange(0, std::abs(max - min));
    m_settingRange = false;
    const int lo = std::min(min, max);
    const int hi = std::max(min, max);
    m_value = std::clamp(m_value, lo, hi);
    QScrollBar::setValue(toQt(m_value));
}

void ScrollBar::setValue(int value) {
    const int lo = std::min(m_min, m_max);
    const int hi = std::max(m_min, m_max);
    value = std::clamp(value, lo, hi);
    if (value == m_value) {
        return;
    }
    // Qt's valueChanged runs onQtValueChanged synchronously, which emits change(), also
    // while the user holds the thumb.
    m_settingFromCode = true;
    QScrollBar::setValue(toQt(value));
    m_settingFromCode = false;
}

void ScrollBar::onQtValueChanged(int qtValue) {
    const int value = toValue(qtValue);
    if (value == m_value) {
        return;
    }
    m_value = value;
    if (m_settingRange) {
        return;
    }
    if (isSliderDown() && !m_settingFromCode) {
        emit scroll(); // the thumb is being dragged; change() follows on release
    } else {
        emit change();
    }
}

void ScrollBar::onReleased() {
    if (m_value != m_valueAtPress) {
        emit change();
    }
}

} // namespace rb
