// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/dirtyareas.h"

namespace rb {

void DirtyAreas::add(const QRect& area) {
    if (area.isEmpty()) {
        return;
    }
    QRect piece = area;
    // A merged piece can reach pieces the area itself did not; merge until none overlaps.
    for (auto it = m_pieces.begin(); it != m_pieces.end();) {
        if (it->intersects(piece)) {
            piece |= *it;
            m_pieces.erase(it);
            it = m_pieces.begin();
        } else {
            ++it;
        }
    }
    m_pieces.push_back(piece);
    if (m_pieces.size() > kMostPieces) {
        QRect all;
        for (const QRect& r : m_pieces) {
            all |= r;
        }
        m_pieces.assign(1, all);
    }
}

void DirtyAreas::take(DirtyAreas& other) {
    for (const QRect& r : other.m_pieces) {
        add(r);
    }
    other.clear();
}

QRegion DirtyAreas::region() const {
    QRegion region;
    for (const QRect& r : m_pieces) {
        region += r;
    }
    return region;
}

} // namespace rb
