// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls, each named once: its row here is the whole of its design. The list is
// read three times, each time with its own meaning of the entries (X-macros): layout.cpp makes
// the layout table of it, form1.h the typed members of Form1 (the type follows from the kind),
// form1.cpp their binding to the controls built. Hence no include guard. The colours, fonts
// and roles the rows name are layout.cpp's.
//
//   RB_MENU(name, caption, description)          an entry of the menu bar (a QAction)
//   RB_CONTROL(name, Kind, row fields...)        a control (ControlRow)
//   RB_ARRAY(name, Kind, count, array fields...) a control array (ArrayRow); its elements
//                                                are the RB_ELEMENT rows of that name, or,
//                                                with a container, made from the array row
//   RB_ELEMENT(array, index, Kind, row fields...) an element of a control array (ControlRow)
//
// The control rows run container by container, topmost first within each container. An entry
// its reader leaves undefined means nothing there.

#ifndef RB_MENU
#define RB_MENU(NAME, CAPTION, DESCRIPTION)
#endif
#ifndef RB_CONTROL
#define RB_CONTROL(NAME, KIND, ...)
#endif
#ifndef RB_ARRAY
#define RB_ARRAY(NAME, KIND, COUNT, ...)
#endif
#ifndef RB_ELEMENT
#define RB_ELEMENT(ARRAY, INDEX, KIND, ...)
#endif

// clang-format off
RB_MENU(cmdEnde, "Beenden", "Beendet das Programm")
RB_MENU(cmdZyk, "großer anziehender Zyklus",
        "Setzt die vier Parameter auf Werte, die zu einem großen anziehenden Zyklus führen")
RB_MENU(cmdKleinZyklus, "kleiner anziehender Zyklus",
        "Setzt die vier Parameter auf Werte, die zu einem kleinen anziehenden Zyklus führen")
RB_MENU(cmdfix, "anziehender Fixpunkt",
        "Setzt die vier Parameter auf Werte, die zu einem anziehenden Fixpunkt führen")
RB_MENU(cmdlabil, "labiles Gleichgewicht",
        "Setzt die vier Parameter auf Werte eines labilen Gleichgewichts")

// Picture stores: bildfisch(0..3) prey looks, (4) a decoration's picture; Image1(0..1) the
// predator facing right and left. Their elements lie in different containers.
RB_ARRAY(bildfisch, Image, 5)
RB_ARRAY(Image1, Image, 2)
// The eating fish of the aquarium.
RB_ARRAY(imgfress, Image, 2)
// The fish of the aquarium, in picAqua below every other control there, stacked as
// fishStacking() says. Their design pictures never show (start-up replaces or hides them) but
// give the design sizes. Prey 1..32 (0 is never shown): the prey face on every one but
// imgFisch1(31), which carries the pink-bodied fish facing left; imgFisch1(0) has the Tag "1".
RB_ARRAY(imgFisch1, Image, 33, .container = "picAqua", .place = {0, 0, 945, 915},
         .picture = "preyFace",
         .exceptions = {{{.index = 31, .picture = "preyPinkLeft"}, {.index = 0, .tag = "1"}}})
// Predators 1..24 (0 is never shown): a predator seen from the front, 106 x 115 pixels, left
// blank, on every one but imgFisch2(7), which carries the red predator facing right.
RB_ARRAY(imgFisch2, Image, 25, .container = "picAqua", .place = {0, 0, 1590, 1725},
         .exceptions = {{{.index = 7, .picture = "predatorRightRed"}}})

// ---- Directly in the window (absolute positions) --------------------------------------
RB_CONTROL(Picture3, PictureBox, .container = "Form1",
           .place = {12480, 7320, 1095, 2115}, .tabIndex = 27, .back = kSystemBack,
           .frameLine = true, .accessibleName = "Räuberparameter")
RB_CONTROL(Command5, Button, .container = "Form1",
           .place = {14400, 8220, 975, 435}, .tabIndex = 25, .back = kYellowBack,
           .picture = "preyFace", .accessibleName = "Beutefisch",
           .accessibleDescription = "Bild ohne Funktion")
RB_CONTROL(Command1, Button, .container = "Form1",
           .place = {14400, 8760, 975, 435}, .tabIndex = 24, .back = kYellowBack,
           .picture = "startArrow", .accessibleName = "Start",
           .accessibleDescription = "Startet die Simulation")
RB_CONTROL(Command2, Button, .container = "Form1",
           .place = {14400, 7380, 975, 675}, .tabIndex = 23, .back = kYellowBack,
           .picture = "stopSign", .accessibleName = "Stopp",
           .accessibleDescription = "Hält die Simulation an")
RB_CONTROL(txtTime, TextBox, .container = "Form1",
           .place = {14340, 5700, 1095, 345}, .tabIndex = 22, .text = "10",
           .back = kBlueBack, .fore = kWhiteBack, .font = kSans12Bold, .align = Align::Centre,
           .accessibleName = "Anzeige Tempo",
           .accessibleDescription = "Stellung des Reglers Tempo")
RB_CONTROL(HScroll3, HScrollBar, .container = "Form1",
           .place = {14340, 6060, 1095, 195}, .tabIndex = 21, .min = 0, .max = 50,
           .value = 50, .accessibleName = "Tempo",
           .accessibleDescription =
               "Zeit von Generation zu Generation, 5 Millisekunden je Schritt: "
               "je kleiner, desto schneller",
           .accessibleRole = kSlider)
RB_CONTROL(HScroll2, HScrollBar, .container = "Form1",
           .place = {12420, 6060, 1095, 195}, .tabIndex = 20, .min = 0, .max = 24,
           .value = 0, .accessibleName = "Räuberbestand",
           .accessibleDescription = "Zahl der Raubfische im Aquarium, 0 bis 24",
           .accessibleRole = kSlider)
RB_CONTROL(txtFisch2, TextBox, .container = "Form1",
           .place = {12420, 5700, 1095, 345}, .tabIndex = 19, .text = "0",
           .back = kBlueBack, .fore = kWhiteBack, .font = kSans12Bold, .align = Align::Centre,
           .accessibleName = "Anzeige Räuberbestand",
           .accessibleDescription = "Stellung des Reglers Räuberbestand")
RB_CONTROL(HScroll1, HScrollBar, .container = "Form1",
           .place = {10920, 6060, 1095, 195}, .tabIndex = 18, .min = 0, .max = 32,
           .value = 1, .accessibleName = "Beutebestand",
           .accessibleDescription = "Zahl der Beutefische im Aquarium, 0 bis 32",
           .accessibleRole = kSlider)
RB_CONTROL(txtFisch1, TextBox, .container = "Form1",
           .place = {10920, 5700, 1095, 345}, .tabIndex = 17, .text = "1",
           .back = kBlueBack, .fore = kWhiteBack, .font = kSans12Bold, .align = Align::Centre,
           .accessibleName = "Anzeige Beutebestand",
           .accessibleDescription = "Stellung des Reglers Beutebestand")
RB_CONTROL(txtF1p, TextBox, .container = "Form1",
           .place = {11160, 7320, 915, 420}, .tabIndex = 16, .text = "10",
           .back = kSystemBack, .fore = kSystemText, .font = kSans135, .align = Align::Centre,
           .accessibleName = "Wachstumsrate",
           .accessibleDescription = "Wachstum der Beutefische in Prozent je Generation")
RB_CONTROL(VScroll1, VScrollBar, .container = "Form1",
           .place = {10920, 7320, 255, 435}, .tabIndex = 15, .min = 100, .max = 0,
           .value = 10, .accessibleName = "Wachstumsrate ändern",
           .accessibleDescription = kSpinnerUse, .accessibleRole = kSlider)
RB_CONTROL(Text2, TextBox, .container = "Form1",
           .place = {10440, 9480, 5235, 318}, .tabIndex = 14, .text = "Generation 0",
           .back = kWhiteBack, .fore = kSystemText, .accessibleName = "Generation",
           .accessibleDescription = "Zahl der bisher berechneten Generationen")
RB_CONTROL(Text4, TextBox, .container = "Form1",
           .place = {10500, 2400, 375, 285}, .tabIndex = 11, .text = "20",
           .back = kBlackBack, .fore = kWhiteBack, .accessibleName = "Beuteachse Mitte",
           .accessibleDescription = "Beschriftung des Phasendiagramms: Beutebestand 20")
RB_CONTROL(Text3, TextBox, .container = "Form1",
           .place = {12660, 5220, 375, 195}, .tabIndex = 10, .text = "12",
           .back = kBlackBack, .fore = kWhiteBack, .align = Align::Centre,
           .accessibleName = "Räuberachse Mitte",
           .accessibleDescription = "Beschriftung des Phasendiagramms: Räuberbestand 12")
RB_CONTROL(Check1, CheckBox, .container = "Form1",
           .place = {9420, 5460, 735, 315}, .tabIndex = 9, .text = "auto",
           .back = kBlackBack, .fore = kWhiteBack, .accessibleName = "auto",
           .accessibleDescription =
               "Zeitreihendiagramm bei Generation 800 von selbst neu beginnen")
RB_CONTROL(Timer1, Timer, .container = "Form1", .place = {},
           .value = 250)
RB_CONTROL(picAqua, PictureBox, .container = "Form1",
           .place = {0, 0, 10455, 5475}, .tabIndex = 0, .back = kSystemBack,
           .picture = "reefAquarium", .frameLine = true, .accessibleName = "Aquarium",
           .accessibleDescription =
               "Zeigt so viele Beutefische und Raubfische, wie die Bestände angeben",
           .accessibleRole = kGraphic)
RB_CONTROL(Picture2, PictureBox, .container = "Form1",
           .place = {0, 5460, 10455, 4335}, .tabIndex = 2, .back = kNavy, .frameLine = true,
           .accessibleName = "Bereich Zeitreihendiagramm")
RB_CONTROL(Picture1, PictureBox, .container = "Form1",
           .place = {10260, 0, 5415, 5475}, .tabIndex = 1, .back = kWindowBlue,
           .accessibleName = "Bereich Phasendiagramm")
RB_CONTROL(Image6, Image, .container = "Form1",
           .place = {5940, 9780, 945, 915}, .picture = "preyFace")
RB_CONTROL(Image5, Image, .container = "Form1",
           .place = {15600, 9240, 1500, 1470}, .picture = "predatorLeft")
// No picture until start-up gives it that of bildfisch(4).
RB_CONTROL(Image4, Image, .container = "Form1",
           .place = {16740, 540, 855, 915})
RB_CONTROL(Image3, Image, .container = "Form1",
           .place = {17640, 540, 930, 960}, .picture = "fishOrangeLeft")
RB_ELEMENT(bildfisch, 1, Image, .container = "Form1",
           .place = {10560, 6360, 630, 585}, .picture = "preyYellowLeft", .stretch = true)
RB_CONTROL(Line1, Line, .container = "Form1", .place = {},
           .fore = kSystemText, .drawWidth = 2, .lineFrom = {15660, 9660},
           .lineTo = {15660, 5460})
RB_CONTROL(Label1, Label, .container = "Form1",
           .place = {10920, 7740, 1155, 255}, .tabIndex = 26, .text = "Wachstumsrate",
           .back = kWhiteBack, .fore = kBlackBack, .font = kWindowFont,
           .accessibleName = "Wachstumsrate")
RB_ELEMENT(bildfisch, 2, Image, .container = "Form1",
           .place = {11460, 6480, 810, 780}, .picture = "preyBowRight", .stretch = true)
RB_CONTROL(Image2, Image, .container = "Form1",
           .place = {14400, 6360, 945, 915}, .picture = "clockFace", .stretch = true)
RB_ELEMENT(bildfisch, 0, Image, .container = "Form1",
           .place = {16920, 9300, 930, 960}, .picture = "preyBowLeft")
RB_ELEMENT(Image1, 1, Image, .container = "Form1",
           .place = {12480, 6240, 1080, 1050}, .picture = "predatorLeft", .stretch = true)

// ---- The aquarium picAqua; the fish pictures follow fishStacking() below these -------
RB_CONTROL(Text1, TextBox, .container = "picAqua",
           .place = {10020, 5160, 495, 285}, .tabIndex = 38, .text = "8 / 0",
           .back = kBlackBack, .fore = kWhiteBack, .accessibleName = "Achsenursprung",
           .accessibleDescription =
               "Beschriftung des Phasendiagramms: Beutebestand 8, Räuberbestand 0")
RB_CONTROL(txtxr, TextBox, .container = "picAqua",
           .place = {10080, 0, 375, 320}, .tabIndex = 37, .text = "32",
           .back = kBlackBack, .fore = kWhiteBack, .align = Align::Centre,
           .accessibleName = "Beuteachse oben",
           .accessibleDescription = "Beschriftung des Phasendiagramms: Beutebestand 32")
RB_CONTROL(txtFisch1Bestand, TextBox, .container = "picAqua",
           .place = {0, 0, 795, 510}, .tabIndex = 13, .text = "", .back = kYellowBack,
           .fore = kSystemText, .font = kTimes1425Bold, .align = Align::Right,
           .accessibleName = "Beutebestand der Generation",
           .accessibleDescription = "Beutebestand nach der zuletzt berechneten Generation, "
                                    "mal 100")
RB_CONTROL(txtFisch2Bestand, TextBox, .container = "picAqua",
           .place = {780, 0, 795, 510}, .tabIndex = 12, .text = "", .back = kNavy,
           .fore = kWhiteBack, .font = kTimes1425, .align = Align::Centre,
           .accessibleName = "Räuberbestand der Generation",
           .accessibleDescription = "Räuberbestand nach der zuletzt berechneten Generation, "
                                    "mal 100")
RB_ELEMENT(imgfress, 1, Image, .container = "picAqua",
           .place = {5460, 1260, 2100, 2055}, .picture = "eatingLeft")
// A picture store only: never shown.
RB_ELEMENT(bildfisch, 4, Image, .container = "picAqua",
           .place = {8160, 1020, 870, 960}, .picture = "preyPinkRight", .visible = false)
RB_ELEMENT(imgfress, 0, Image, .container = "picAqua",
           .place = {960, 660, 2100, 2055}, .picture = "eatingRight")

// ---- The time-series diagram's viewport Picture2 --------------------------------------
RB_CONTROL(Command3, Button, .container = "Picture2",
           .place = {10140, 0, 315, 315}, .tabIndex = 5, .text = "X", .back = kYellowBack,
           .accessibleName = "Zeitreihendiagramm löschen",
           .accessibleDescription =
               "Löscht das Zeitreihendiagramm und setzt die Generation auf 0")
// Reaches 120 twips past the panel's right edge and is cut there.
RB_CONTROL(HScroll4, HScrollBar, .container = "Picture2",
           .place = {0, 4020, 10575, 315}, .tabIndex = 4, .min = 0, .max = 30000,
           .value = 0, .accessibleName = "Zeitreihendiagramm verschieben",
           .accessibleDescription =
               "Blättert durch die Generationen des Zeitreihendiagramms")
RB_CONTROL(picDiagramm, PictureBox, .container = "Picture2",
           .place = {0, 0, 32055, 4005}, .tabIndex = 3, .back = kBlackBack,
           .fore = kWhiteBack, .persistent = true, .drawWidth = 2,
           .accessibleName = "Zeitreihendiagramm",
           .accessibleDescription =
               "Beutebestand und Räuberbestand in Prozent über den Generationen",
           .accessibleRole = kChart)

// ---- The phase diagram's panel Picture1 -----------------------------------------------
RB_CONTROL(txtyo, TextBox, .container = "Picture1",
           .place = {4980, 5160, 375, 285}, .tabIndex = 7, .text = "24",
           .back = kBlackBack, .fore = kWhiteBack, .align = Align::Centre,
           .accessibleName = "Räuberachse rechts",
           .accessibleDescription = "Beschriftung des Phasendiagramms: Räuberbestand 24")
RB_CONTROL(picphase, PictureBox, .container = "Picture1",
           .place = {180, 0, 5235, 5475}, .tabIndex = 6, .back = kBlackBack,
           .fore = kWhiteBack, .frameLine = true, .persistent = true, .drawWidth = 5,
           .accessibleName = "Phasendiagramm",
           .accessibleDescription = "Beutebestand (senkrecht, 8 bis 32) gegen "
                                    "Räuberbestand (waagerecht, 0 bis 24). Pfeiltasten "
                                    "setzen den Startpunkt: auf und ab ein Beutefisch, "
                                    "rechts und links ein Räuber",
           .accessibleRole = kChart)

// ---- Inside the phase diagram picphase ------------------------------------------------
RB_CONTROL(Command4, Button, .container = "picphase",
           .place = {4800, 0, 375, 315}, .tabIndex = 8, .text = "X", .back = kYellowBack,
           .accessibleName = "Phasendiagramm löschen",
           .accessibleDescription = "Löscht die Kurve im Phasendiagramm")
RB_CONTROL(imgtarget, Image, .container = "picphase",
           .place = {2280, 900, 405, 390}, .picture = "targetCross",
           .toolTip = "linke Maustaste drücken und halten", .accessibleName = "Zielmarke",
           .accessibleDescription = "Mit gedrückter linker Maustaste im Phasendiagramm "
                                    "ziehen, um Beutebestand und Räuberbestand zugleich "
                                    "zu setzen; mit der Tastatur setzen die Pfeiltasten "
                                    "im Phasendiagramm oder die Regler Beutebestand und "
                                    "Räuberbestand dasselbe")
RB_ELEMENT(bildfisch, 3, Image, .container = "picphase",
           .place = {780, 0, 450, 420}, .picture = "preyYellowRight", .stretch = true)
RB_ELEMENT(Image1, 0, Image, .container = "picphase",
           .place = {4200, 4800, 660, 630}, .picture = "predatorRight", .stretch = true)

// ---- The predator parameters Picture3 -------------------------------------------------
RB_CONTROL(txtF2W, TextBox, .container = "Picture3",
           .place = {240, 0, 855, 420}, .tabIndex = 33, .text = "32", .back = kSystemBack,
           .fore = kSystemText, .font = kSans135, .align = Align::Centre,
           .accessibleName = "Proportionalitätsfaktor",
           .accessibleDescription =
               "Vermehrung der Raubfische im Verhältnis zum Beuteangebot")
RB_CONTROL(VScroll2, VScrollBar, .container = "Picture3",
           .place = {0, 60, 255, 375}, .tabIndex = 32, .min = 100, .max = 0, .value = 32,
           .accessibleName = "Proportionalitätsfaktor ändern",
           .accessibleDescription = kSpinnerUse, .accessibleRole = kSlider)
RB_CONTROL(txtF2fress, TextBox, .container = "Picture3",
           .place = {240, 720, 855, 420}, .tabIndex = 31, .text = "10", .back = kSystemBack,
           .fore = kSystemText, .font = kSans135, .align = Align::Centre,
           .accessibleName = "Gefräßigkeit",
           .accessibleDescription = "Wie stark die Raubfische Beutefische fressen")
RB_CONTROL(VScroll3, VScrollBar, .container = "Picture3",
           .place = {0, 720, 255, 435}, .tabIndex = 30, .min = 100, .max = 0, .value = 10,
           .accessibleName = "Gefräßigkeit ändern", .accessibleDescription = kSpinnerUse,
           .accessibleRole = kSlider)
RB_CONTROL(txtF2sterb, TextBox, .container = "Picture3",
           .place = {240, 1440, 855, 420}, .tabIndex = 29, .text = "10",
           .back = kSystemBack, .fore = kSystemText, .font = kSans135,
           .align = Align::Centre, .accessibleName = "Sterberate",
           .accessibleDescription = "Raubfische, die je Generation sterben, in Prozent")
RB_CONTROL(VScroll4, VScrollBar, .container = "Picture3",
           .place = {0, 1440, 255, 435}, .tabIndex = 28, .min = 100, .max = 0, .value = 10,
           .accessibleName = "Sterberate ändern", .accessibleDescription = kSpinnerUse,
           .accessibleRole = kSlider)
RB_CONTROL(Label6, Label, .container = "Picture3",
           .place = {0, 1200, 1035, 435}, .tabIndex = 36, .text = "Gefräßigkeit",
           .back = kWhiteBack, .fore = kBlackBack, .font = kWindowFont,
           .align = Align::Centre, .accessibleName = "Gefräßigkeit")
RB_CONTROL(Label4, Label, .container = "Picture3",
           .place = {0, 480, 1095, 315}, .tabIndex = 35, .text = "Proportional.f.",
           .back = kWhiteBack, .fore = kBlackBack, .font = kWindowFont,
           .align = Align::Centre, .accessibleName = "Proportionalitätsfaktor")
// Cut by the panel's bottom edge.
RB_CONTROL(Label8, Label, .container = "Picture3",
           .place = {0, 1860, 1095, 315}, .tabIndex = 34, .text = "Sterberate",
           .back = kWhiteBack, .fore = kBlackBack, .font = kWindowFont,
           .align = Align::Centre, .accessibleName = "Sterberate")
// clang-format on

#undef RB_MENU
#undef RB_CONTROL
#undef RB_ARRAY
#undef RB_ELEMENT
