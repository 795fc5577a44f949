// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollBar>
#include <QStyle>

namespace rb {

class Container;

// A scroll bar with the classic semantics:
//  - Min may exceed Max (a vertical spinner 100..0 has 100 at its top end, and its up arrow
//    raises the value). Internally Qt's bar runs over 0..|Max - Min| and the value is mapped.
//  - change() after every real change of Value: by an arrow, the track, the keyboard, the
//    wheel, on release of a dragged thumb, or synchronously inside code that sets a different
//    value. Setting the same value emits nothing.
//  - scroll() repeatedly while the thumb is dragged.
//  - A value outside the range is never set: setValue() clamps it.
class ScrollBar : public QScrollBar {
    Q_OBJECT

public:
    // Horizontal until setOrientation() says otherwise.
    ScrollBar(Container* container, const QString& name);

    int min() const { return m_min; }
    int max() const { return m_max; }
    void setRange(int min, int max);
    int value() const { return m_value; }
    void setValue(int value);
    int smallChange() const { return singleStep(); }
    int largeChange() const { return pageStep(); }

signals:
    void change();
    void scroll();

protected:
    // The classic look: raised arrow buttons, a dotted track and a square raised thumb, so the
    // thumb reads clearly even on the smallest bars. While the mouse holds an arrow down it is
    // sunken, and the part of the track it holds is black, as long as the pointer stays on it.
    void paintEvent(QPaintEvent* event) override;
    // Right and Down act as the right or lower arrow, Left and Up as the left or upper one,
    // Page Up and Page Down as a click on the track before or after the thumb, Home and End go
    // to the left or top and the right or bottom end; each runs change() as a click would.
    void keyPressEvent(QKeyEvent* event) override;
    // A new value repaints where the thumb was drawn and where it goes, not the whole bar
    // (the strip of the time-series diagram moves its thumb every generation); while the mouse
    // holds a part down, the whole bar.
    void sliderChange(SliderChange change) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int toValue(int qtValue) const;
    int toQt(int value) const;
    void onQtValueChanged(int qtValue);
    void onReleased();

    int m_min = 0;
    int m_max = 32767;
    int m_value = 0;
    int m_valueAtPress = 0;
    bool m_settingRange = false;
    bool m_settingFromCode = false;
    QRect m_thumbDrawn; // where the last paint drew the thumb; empty: none drawn
    bool m_mouseHeld = false;
    // The part the mouse holds down (Qt tells its own only to its own drawing) and where the
    // pointer is, in the bar's pixels.
    QStyle::SubControl m_pressedPart = QStyle::SC_None;
    QPoint m_pointer;
};

} // namespace rb
