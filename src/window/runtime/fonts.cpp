// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace rb {

void installFontSubstitutes() {
    const QStringList families = QFontDatabase::families();
#ifdef Q_OS_WIN
    // Also where the bitmap face of the name is installed, which passOverBitmapFaces() skips.
    const bool sansMissing = true;
    const QStringList sansLike{QStringLiteral("Microsoft Sans Serif"),
                               QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                               QStringLiteral("Tahoma")};
#else
    const bool sansMissing = !families.contains(QStringLiteral("MS Sans Serif"));
    const QStringList sansLike{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                               QStringLiteral("DejaVu Sans")};
#endif
    if (sansMissing) {
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sansLike);
    }
    if (!families.contains(QStringLiteral("Times New Roman"))) {
        QFont::insertSubstitutions(
            QStringLiteral("Times New Roman"),
            {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    }
}

void passOverBitmapFaces([[maybe_unused]] QFont& font) {
#ifdef Q_OS_WIN
    font.setStyleStrategy(QFont::ForceOutline);
#endif
}

} // namespace rb
