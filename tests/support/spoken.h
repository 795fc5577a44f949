// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the window last had a screen reader speak: the notification in its status line
// (announce()); empty before the first. Needs rb::installAccessibility().

#include <QAccessible>
#include <QWidget>

namespace rbtest {

inline QString announced(QWidget& window) {
    for (QObject* o : window.children()) {
        QAccessibleInterface* line = QAccessible::queryAccessibleInterface(o);
        if (line && line->role() == QAccessible::StatusBar) {
            return line->child(0)->role() == QAccessible::Notification
                       ? line->child(0)->text(QAccessible::Name)
                       : QString();
        }
    }
    return {};
}

} // namespace rbtest
