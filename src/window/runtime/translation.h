// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace rb {

// Loads Qt's own translation for a language ("de": "qtbase_de" from the program's resources
// under :/translations, or from Qt's translations folder) into the application, whatever the
// locale, so that texts Qt supplies (a text box's context menu) speak the window's language.
// Without that file Qt's English texts stay; returns whether it was loaded. Call after the
// application object exists.
bool installQtTranslation(const QString& language);

} // namespace rb
