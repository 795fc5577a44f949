#pragma once

namespace rb {

class Form1;

// Dynamic properties that give a picture, label or line drawn on a container's surface its
// accessible name, description and (optionally) role, a QAccessible::Role as int. Without a
// name the control stays out of the accessibility tree.
inline constexpr char kAccessibleNameProperty[] = "accessibleName";
inline constexpr char kAccessibleDescriptionProperty[] = "accessibleDescription";
inline constexpr char kAccessibleRoleProperty[] = "accessibleRole";

// Gives every control a person uses an accessible name (and, where useful, a description)
// in German, so that a screen reader announces it; pictures drawn on a container's surface
// included.
void setAccessibleTexts(Form1& f);

// Makes the pictures, labels and lines drawn on containers visible to assistive technology
// as children of their container, and lets scroll bars report their own Value (also where
// Min lies above Max). Call once, after the application object exists.
void installAccessibility();

} // namespace rb
