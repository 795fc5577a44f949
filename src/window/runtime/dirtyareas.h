// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QRegion>

#include <vector>

namespace rb {

// The areas of a container waiting for their repaint. A pass of the swimming animation leaves
// one small area for every fish it moves, scattered over the aquarium. They are kept as a few
// disjoint rectangles, overlapping ones merged into their bounding rectangle, so that each can
// be painted under a simple rectangular clip (pictures are then blitted line by line, while a
// clip of many pieces would send every drawing through span blending), and the water between
// them is not painted at all.
class DirtyAreas {
public:
    // Adds an area (pixels); an empty one adds nothing.
    void add(const QRect& area);
    // Leaves out an area (pixels): a piece it cuts keeps what lies around it, as up to four
    // pieces, still disjoint.
    void subtract(const QRect& area);
    // Moves all areas of `other` here.
    void take(DirtyAreas& other);
    void clear() { m_pieces.clear(); }

    bool isEmpty() const { return m_pieces.empty(); }
    // Disjoint; together they cover every area added.
    const std::vector<QRect>& pieces() const { return m_pieces; }
    QRegion region() const;

private:
    // More pieces than this become their bounding rectangle: painting them one by one would
    // cost more than it saves.
    static constexpr std::size_t kMostPieces = 64;
    std::vector<QRect> m_pieces;
};

} // namespace rb
