// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace rbtest {

// The window's Tab stops in TabIndex order 0..38, written out from the window's design: the
// four labels (26, 34, 35, 36) take no focus and are left out.
inline const QStringList kTabOrder = {"picAqua",
                                      "Picture1",
                                      "Picture2",
                                      "picDiagramm",
                                      "HScroll4",
                                      "Command3",
                                      "picphase",
                                      "txtyo",
                                      "Command4",
                                      "Check1",
                                      "Text3",
                                      "Text4",
                                      "txtFisch2Bestand",
                                      "txtFisch1Bestand",
                                      "Text2",
                                      "VScroll1",
                                      "txtF1p",
                                      "txtFisch1",
                                      "HScroll1",
                                      "txtFisch2",
                                      "HScroll2",
                                      "HScroll3",
                                      "txtTime",
                                      "Command2",
                                      "Command1",
                                      "Command5",
                                      "Picture3",
                                      "VScroll4",
                                      "txtF2sterb",
                                      "VScroll3",
                                      "txtF2fress",
                                      "VScroll2",
                                      "txtF2W",
                                      "txtxr",
                                      "Text1"};

} // namespace rbtest
