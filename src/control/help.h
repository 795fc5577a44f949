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

// F1 anywhere in the window opens the guide in the desktop's browser. Without a browser (or
// without the guide) nothing visible happens; the program opens no window of its own.
void connectHelp(Form1& f);

} // namespace rb
