// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QObject;

namespace rb {

// Dynamic properties that give a picture, label or line drawn on a container's surface its
// accessible name, description and (optionally) role, a QAccessible::Role as int. Without a
// name the control stays out of the accessibility tree.
inline constexpr char kAccessibleNameProperty[] = "accessibleName";
inline constexpr char kAccessibleDescriptionProperty[] = "accessibleDescription";
inline constexpr char kAccessibleRoleProperty[] = "accessibleRole";

// Gives a control its accessible name and description, and a role (a QAccessible::Role as
// int) where it is not -1: widgets directly; menu entries (QAction) as status tip, "What's
// this?" and the description property above, which a menu bar's entry reports; pictures,
// labels and lines drawn on a container's surface through the properties above.
void describe(QObject* control, const QString& name, const QString& description = {},
              int role = -1);

// Makes the pictures, labels and lines drawn on containers visible to assistive technology
// as children of their container, lets scroll bars report their own Value (also where Min
// lies above Max) and menu bar entries their description. Call once, after the application
// object exists.
void installAccessibility();

} // namespace rb
