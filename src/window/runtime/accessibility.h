// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QObject;
class QWidget;

namespace rb {

class ScrollBar;

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
// lies above Max) and menu bar entries their description, and puts the pacing below between
// the controls and the platform. Call once, after the application object exists.
void installAccessibility();

// Has assistive technology speak the text at once, wherever the focus is, without moving it:
// as a notification of a status line of the window that has no widget and shows nothing
// (screen readers that know status lines speak such a notification without a role name).
// Where no assistive technology listens, nothing is sent.
void announce(QWidget* window, const QString& text);

// The text a scroll bar's Value is read as (with its unit or meaning) instead of the bare
// number; made when asked for. Screen readers that read a slider's number only hear it as
// an announcement after each step the user makes on the focused bar (keys, arrows, track),
// not after changes the program makes; the focused bar's own value notice is not sent, so
// the step is heard once, by its meaning.
void setValueText(ScrollBar* bar, std::function<QString()> text);

// An accessible description that follows the program's state. While assistive technology
// listens, the text is made afresh a few times a second (kLiveTextsPerSecond) and becomes the
// control's description when it differs, which tells the listener; while none listens,
// nothing is done at all, so the program's own work is not touched.
inline constexpr int kLiveTextsPerSecond = 4;
void setLiveDescription(QWidget* control, std::function<QString()> text);
// Makes every live description afresh now, also where no assistive technology listens.
void refreshLiveDescriptions();

// Paced notifications (NotificationPacer), for stretches in which the program itself changes
// controls many times a second (a run): while on, each control reports a new text, value,
// caret, name, description, place or visibility at most every few seconds (the focused one
// every second), and switching it off reports the newest state of all at once.
// Announcements pass at once.
void setNotificationsPaced(bool paced);

} // namespace rb
