#include "window/lightcontrol.h"

#include "window/container.h"

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

double LightControl::width() const { return m_container->scale().widthFromPixels(pixelSize().width()); }

double LightControl::height() const {
    return m_container->scale().heightFromPixels(pixelSize().height());
}

void LightControl::zOrder() {
    m_container->bringToFront(this);
    if (m_visible) {
        m_container->update(pixelRect().toAlignedRect());
    }
}

QRectF LightControl::pixelRect() const {
    const UserScale& s = m_container->scale();
    const QPointF origin = m_container->innerRect().topLeft();
    // Whole pixels, so pictures are drawn sharp and repaints cover exactly what was drawn.
    const QPointF corner(std::floor(s.xToPixels(m_left) + 0.5), std::floor(s.yToPixels(m_top) + 0.5));
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
    if (!area.isEmpty()) {
        m_container->update(area);
    }
}

} // namespace rb
