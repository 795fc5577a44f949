// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace rb {

bool installQtTranslation(const QString& language) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString file = QStringLiteral("qtbase_") + language;
    // Carried in the program where Qt is linked in (Windows), else from Qt's own folder.
    const bool loaded = translator->load(file, QStringLiteral(":/translations")) ||
                        translator->load(file, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace rb
