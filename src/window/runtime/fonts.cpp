// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace rb {

void installFontSubstitutes() {
    const QStringList families = QFontDatabase::families();
    if (!families.contains(QStringLiteral("MS Sans Serif"))) {
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                    QStringLiteral("DejaVu Sans")});
    }
    if (!families.contains(QStringLiteral("Times New Roman"))) {
        QFont::insertSubstitutions(
            QStringLiteral("Times New Roman"),
            {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    }
}

} // namespace rb
