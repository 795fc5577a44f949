// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

namespace rb {

class Form1;

// The guide for teachers as HTML, looked up from the folder that holds the program: where the
// program is installed, the documentation folder of the installation; where it runs from its
// build tree, the page built there. Empty when neither is there.
QUrl guideUrl(const QString& programDir);

// What the program says on Windows when F1 cannot show the guide: where the page lies (found
// but no browser opened it), or where it was looked for (not beside the program, as when the
// program is started from inside its zip).
QString guideWhereabouts(const QUrl& guide, const QString& programDir);

// F1 anywhere in the window opens the guide in the desktop's browser. On Linux, without a
// browser (or without the guide) nothing visible happens; on Windows a message that does not
// hold up the running simulation says where the guide is (guideWhereabouts).
void connectHelp(Form1& f);

} // namespace rb
