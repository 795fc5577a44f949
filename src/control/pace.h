// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace rb {

class Form1;

// Pace slider (Change and Scroll): writes its value into txtTime and, for a value v of 1 to
// 50, sets Timer1's interval to 5 * v ms; 0 leaves the interval as it was.
void HScroll3_Change(Form1& f);

// The pace slider's value as a screen reader reads it, with the time per generation that is
// in force: "50, 250 Millisekunden je Generation".
QString paceValueText(const Form1& f);

void connectPace(Form1& f);

} // namespace rb
