// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFocusFrame>

namespace rb {

class Container;

// What a container draws above the controls inside it: its frame line, so that a control
// reaching past the inner area is cut at the inner edge, and while the container has the
// keyboard focus a dotted rectangle just inside the inner area. It covers the container,
// lies above all its widget children and lets the mouse through. Being a focus frame, it
// stays out of the accessibility tree.
class FrameOverlay : public QFocusFrame {
    Q_OBJECT

public:
    explicit FrameOverlay(Container* container);

    // Shows or hides the overlay as the container's frame line and focus require, and
    // follows the container's size and repaints.
    void sync();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Container* container() const;
};

} // namespace rb
