// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

#include <vector>

namespace rb {

// Every picture the window shows, rendered once from the embedded resources at the screen's
// device pixel ratio. A picture's deviceIndependentSize() is its size in logical pixels.
// Copies of a QPixmap share the picture, as copying a Picture between controls must.
class PictureStore {
public:
    // The store, loaded on first use (needs a QGuiApplication).
    static const PictureStore& instance();

    // The picture with that name ("reefBackdrop", "preyBowLeft", ...); a null pixmap for an
    // unknown name.
    QPixmap picture(const QString& name) const;
    QStringList names() const;

private:
    PictureStore();
    void add(const QString& name, QImage image);

    struct Entry {
        QString name;
        QPixmap pixmap;
    };
    std::vector<Entry> m_entries;
};

} // namespace rb
