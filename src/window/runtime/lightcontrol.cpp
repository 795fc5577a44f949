// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/lightcontrol.h"

#include "window/runtime/accessibility.h"
#include "window/runtime/container.h"

#include <QAccessible>

#include <algorithm>
#include <cmath>

namespace rb {

LightControl::LightControl(Container* container, const QString& name)
    : QObject(container), m_container(container) {
    setObjectName(name);
    container->addLightControl(this);
}

LightControl::~LightControl() {
    if (m_container) {
        m_container->removeLightControl(this);
    }
}

void LightControl::setVisible(bool visible) {
    if (visible == m_visible) {
        return;
    }
    changeGeometry([&] { m_visible = visible; });
}

void LightControl::move(float left, float top) {
    if (left == m_left && top == m_top) {
        return;
    }
    changeGeometry([&] {
        m_left = left;
        m_top = top;
    });
}

double LightControl::width() const {
    return m_container->scale().widthFromPixels(pixelSize().width());
}

double LightControl::height() const {
    return m_container->scale().heightFromPixels(pixelSize().height());
}

void LightControl::zOrder() {
    m_container->bringToFront(this);
    if (m_visible) {
        m_container->invalidate(pixelRect().toAlignedRect());
    }
}

QRectF LightControl::pixelRect() const {
    const UserScale& s = m_container->scale();
    const QPointF origin = m_container->innerRect().topLeft();
    // Whole pixels, so pictures are drawn sharp and repaints cover exactly what was drawn.
    // A position far outside (or not a number) is parked far away, where nothing shows and no
    // conversion to whole pixels overflows.
    const auto whole = [](double px) {
        constexpr double far = 1e7;
        return std::isnan(px) ? -far : std::clamp(std::floor(px + 0.5), -far, far);
    };
    const QPointF corner(whole(s.xToPixels(m_left)), whole(s.yToPixels(m_top)));
    return QRectF(origin + corner, pixelSize());
}

void LightControl::rescale(double leftPixels, double topPixels) {
    const UserScale& s = m_container->scale();
    m_left = static_cast<float>(s.xFromPixels(leftPixels));
    m_top = static_cast<float>(s.yFromPixels(topPixels));
}

void LightControl::repaint(const QRectF& before) {
    QRect area = before.toAlignedRect();
    if (m_visible) {
        area |= pixelRect().toAlignedRect();
    }
    m_container->invalidate(area);
}

void LightControl::announce(bool wasVisible) {
    // Only while assistive technology listens (Qt drops the notice otherwise), and only for
    // controls a person is told about (those with an accessible name): the fish swimming by
    // stay quiet.
    if (!QAccessible::isActive() || property(kAccessibleNameProperty).toString().isEmpty()) {
        return;
    }
    QAccessible::Event type = QAccessible::LocationChanged;
    if (wasVisible != m_visible) {
        type = m_visible ? QAccessible::ObjectShow : QAccessible::ObjectHide;
    } else if (!m_visible) {
        return;
    }
    QAccessibleEvent event(this, type);
    QAccessible::updateAccessibility(&event);
}

} // namespace rb
