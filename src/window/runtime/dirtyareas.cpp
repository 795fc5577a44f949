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

void DirtyAreas::subtract(const QRect& area) {
    if (area.isEmpty()) {
        return;
    }
    std::vector<QRect> kept;
    kept.reserve(m_pieces.size() + 3);
    for (const QRect& p : m_pieces) {
        const QRect cut = p & area;
        if (cut.isEmpty()) {
            kept.push_back(p);
            continue;
        }
        // The whole width above and below the cut, then what lies beside it.
        if (cut.top() > p.top()) {
            kept.emplace_back(QPoint(p.left(), p.top()), QPoint(p.right(), cut.top() - 1));
        }
        if (cut.bottom() < p.bottom()) {
            kept.emplace_back(QPoint(p.left(), cut.bottom() + 1), QPoint(p.right(), p.bottom()));
        }
        if (cut.left() > p.left()) {
            kept.emplace_back(QPoint(p.left(), cut.top()), QPoint(cut.left() - 1, cut.bottom()));
        }
        if (cut.right() < p.right()) {
            kept.emplace_back(QPoint(cut.right() + 1, cut.top()), QPoint(p.right(), cut.bottom()));
        }
    }
    m_pieces = std::move(kept);
}

void DirtyAreas::take(DirtyAreas& other) {
    if (m_pieces.empty()) {
        m_pieces = std::move(other.m_pieces); // disjoint already: nothing to merge
        other.clear();
        return;
    }
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
