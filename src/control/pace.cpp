// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/pace.h"

#include "window/form1.h"
#include "window/runtime/accessibility.h"
#include "window/runtime/numtext.h"

namespace rb {

void HScroll3_Change(Form1& f) {
    const int v = f.HScroll3->value();
    f.txtTime->setText(wholeToDigits(v));
    if (v > 0) {
        f.Timer1->setInterval(5 * v);
    }
}

QString paceValueText(const Form1& f) {
    return QStringLiteral("%1, %2 Millisekunden je Generation")
        .arg(f.HScroll3->value())
        .arg(f.Timer1->interval());
}

void connectPace(Form1& f) {
    setValueText(f.HScroll3, [&f] { return paceValueText(f); });
    QObject::connect(f.HScroll3, &ScrollBar::change, &f, [&f] { HScroll3_Change(f); });
    QObject::connect(f.HScroll3, &ScrollBar::scroll, &f, [&f] { HScroll3_Change(f); });
}

} // namespace rb
