// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/layout.h"

#include "window/runtime/palette.h"

#include <QAccessible>

#include <array>

namespace rb {

namespace {

// Colours of the layout.
constexpr QRgb kWindowBlue = qRgb(0, 0, 192);
constexpr QRgb kYellowBack = paletteRgb(kYellow);  // RGB(255, 255, 0)
constexpr QRgb kBlueBack = paletteRgb(kLightBlue); // RGB(0, 0, 255)
constexpr QRgb kNavy = paletteRgb(kDarkBlue);      // RGB(0, 0, 128)
constexpr QRgb kBlackBack = paletteRgb(kBlack);
constexpr QRgb kWhiteBack = paletteRgb(kWhite);
// The platform's window background and window text colours.
constexpr QRgb kSystemBack = paletteRgb(kWhite);
constexpr QRgb kSystemText = paletteRgb(kBlack);

// Fonts of the layout ("MS Sans Serif" and "Times New Roman" stand for the classic faces).
constexpr FontDesign kWindowFont{"MS Sans Serif", 8.25, false};
constexpr FontDesign kSans12Bold{"MS Sans Serif", 12, true};
constexpr FontDesign kSans135{"MS Sans Serif", 13.5, false};
constexpr FontDesign kTimes1425Bold{"Times New Roman", 14.25, true};
constexpr FontDesign kTimes1425{"Times New Roman", 14.25, false};

constexpr int kSlider = QAccessible::Slider;
constexpr int kChart = QAccessible::Chart;
constexpr int kGraphic = QAccessible::Graphic;

constexpr const char* kSpinnerUse =
    "Pfeil nach oben erhöht, Pfeil nach unten verringert den Wert um 1 (0 bis 100)";

constexpr WindowDesign kWindow{
    .caption = "Räuber-Beute Modell",
    .clientWidth = 18840,
    .clientHeight = 10170,
    .back = kWindowBlue,
    .picture = "reefBackdrop",
    .icon = "appIcon",
    .font = kWindowFont,
    .language = "de",
};

constexpr std::array kMenu = {
    MenuRow{"cmdEnde", "Beenden", "Beendet das Programm"},
    MenuRow{"cmdZyk", "großer anziehender Zyklus",
            "Setzt die vier Parameter auf Werte, die zu einem großen anziehenden Zyklus führen"},
    MenuRow{"cmdKleinZyklus", "kleiner anziehender Zyklus",
            "Setzt die vier Parameter auf Werte, die zu einem kleinen anziehenden Zyklus führen"},
    MenuRow{"cmdfix", "anziehender Fixpunkt",
            "Setzt die vier Parameter auf Werte, die zu einem anziehenden Fixpunkt führen"},
    MenuRow{"cmdlabil", "labiles Gleichgewicht",
            "Setzt die vier Parameter auf Werte eines labilen Gleichgewichts"},
};

// clang-format off
constexpr std::array kControls = {
    // ---- Directly in the window (absolute positions) --------------------------------------
    ControlRow{.name = "Picture3", .kind = Kind::PictureBox, .container = "Form1",
               .place = {12480, 7320, 1095, 2115}, .tabIndex = 27, .back = kSystemBack,
               .frameLine = true, .accessibleName = "Räuberparameter"},
    ControlRow{.name = "Command5", .kind = Kind::Button, .container = "Form1",
               .place = {14400, 8220, 975, 435}, .tabIndex = 25, .back = kYellowBack,
               .picture = "preyFace", .accessibleName = "Beutefisch",
               .accessibleDescription = "Bild ohne Funktion"},
    ControlRow{.name = "Command1", .kind = Kind::Button, .container = "Form1",
               .place = {14400, 8760, 975, 435}, .tabIndex = 24, .back = kYellowBack,
               .picture = "startArrow", .accessibleName = "Start",
               .accessibleDescription = "Startet die Simulation"},
    ControlRow{.name = "Command2", .kind = Kind::Button, .container = "Form1",
               .place = {14400, 7380, 975, 675}, .tabIndex = 23, .back = kYellowBack,
               .picture = "stopSign", .accessibleName = "Stopp",
               .accessibleDescription = "Hält die Simulation an"},
    ControlRow{.name = "txtTime", .kind = Kind::TextBox, .container = "Form1",
               .place = {14340, 5700, 1095, 345}, .tabIndex = 22, .text = "10",
               .back = kBlueBack, .fore = kWhiteBack, .font = kSans12Bold, .align = Align::Centre,
               .accessibleName = "Anzeige Tempo",
               .accessibleDescription = "Stellung des Reglers Tempo"},
    ControlRow{.name = "HScroll3", .kind = Kind::HScrollBar, .container = "Form1",
               .place = {14340, 6060, 1095, 195}, .tabIndex = 21, .min = 0, .max = 50,
               .value = 50, .accessibleName = "Tempo",
               .accessibleDescription =
                   "Zeit von Generation zu Generation, 5 Millisekunden je Schritt: "
                   "je kleiner, desto schneller",
               .accessibleRole = kSlider},
    ControlRow{.name = "HScroll2", .kind = Kind::HScrollBar, .container = "Form1",
               .place = {12420, 6060, 1095, 195}, .tabIndex = 20, .min = 0, .max = 24,
               .value = 0, .accessibleName = "Räuberbestand",
               .accessibleDescription = "Zahl der Raubfische im Aquarium, 0 bis 24",
               .accessibleRole = kSlider},
    ControlRow{.name = "txtFisch2", .kind = Kind::TextBox, .container = "Form1",
               .place = {12420, 5700, 1095, 345}, .tabIndex = 19, .text = "0",
               .back = kBlueBack, .fore = kWhiteBack, .font = kSans12Bold, .align = Align::Centre,
               .accessibleName = "Anzeige Räuberbestand",
               .accessibleDescription = "Stellung des Reglers Räuberbestand"},
    ControlRow{.name = "HScroll1", .kind = Kind::HScrollBar, .container = "Form1",
               .place = {10920, 6060, 1095, 195}, .tabIndex = 18, .min = 0, .max = 32,
               .value = 1, .accessibleName = "Beutebestand",
               .accessibleDescription = "Zahl der Beutefische im Aquarium, 0 bis 32",
               .accessibleRole = kSlider},
    ControlRow{.name = "txtFisch1", .kind = Kind::TextBox, .container = "Form1",
               .place = {10920, 5700, 1095, 345}, .tabIndex = 17, .text = "1",
               .back = kBlueBack, .fore = kWhiteBack, .font = kSans12Bold, .align = Align::Centre,
               .accessibleName = "Anzeige Beutebestand",
               .accessibleDescription = "Stellung des Reglers Beutebestand"},
    ControlRow{.name = "txtF1p", .kind = Kind::TextBox, .container = "Form1",
               .place = {11160, 7320, 915, 420}, .tabIndex = 16, .text = "10",
               .back = kSystemBack, .fore = kSystemText, .font = kSans135, .align = Align::Centre,
               .accessibleName = "Wachstumsrate",
               .accessibleDescription = "Wachstum der Beutefische in Prozent je Generation"},
    ControlRow{.name = "VScroll1", .kind = Kind::VScrollBar, .container = "Form1",
               .place = {10920, 7320, 255, 435}, .tabIndex = 15, .min = 100, .max = 0,
               .value = 10, .accessibleName = "Wachstumsrate ändern",
               .accessibleDescription = kSpinnerUse, .accessibleRole = kSlider},
    ControlRow{.name = "Text2", .kind = Kind::TextBox, .container = "Form1",
               .place = {10440, 9480, 5235, 318}, .tabIndex = 14, .text = "Generation 0",
               .back = kWhiteBack, .fore = kSystemText, .accessibleName = "Generation",
               .accessibleDescription = "Zahl der bisher berechneten Generationen"},
    ControlRow{.name = "Text4", .kind = Kind::TextBox, .container = "Form1",
               .place = {10500, 2400, 375, 285}, .tabIndex = 11, .text = "20",
               .back = kBlackBack, .fore = kWhiteBack, .accessibleName = "Beuteachse Mitte",
               .accessibleDescription = "Beschriftung des Phasendiagramms: Beutebestand 20"},
    ControlRow{.name = "Text3", .kind = Kind::TextBox, .container = "Form1",
               .place = {12660, 5220, 375, 195}, .tabIndex = 10, .text = "12",
               .back = kBlackBack, .fore = kWhiteBack, .align = Align::Centre,
               .accessibleName = "Räuberachse Mitte",
               .accessibleDescription = "Beschriftung des Phasendiagramms: Räuberbestand 12"},
    ControlRow{.name = "Check1", .kind = Kind::CheckBox, .container = "Form1",
               .place = {9420, 5460, 735, 315}, .tabIndex = 9, .text = "auto",
               .back = kBlackBack, .fore = kWhiteBack, .accessibleName = "auto",
               .accessibleDescription =
                   "Zeitreihendiagramm bei Generation 800 von selbst neu beginnen"},
    ControlRow{.name = "Timer1", .kind = Kind::Timer, .container = "Form1", .place = {},
               .value = 250},
    ControlRow{.name = "picAqua", .kind = Kind::PictureBox, .container = "Form1",
               .place = {0, 0, 10455, 5475}, .tabIndex = 0, .back = kSystemBack,
               .picture = "reefAquarium", .frameLine = true, .accessibleName = "Aquarium",
               .accessibleDescription =
                   "Zeigt so viele Beutefische und Raubfische, wie die Bestände angeben",
               .accessibleRole = kGraphic},
    ControlRow{.name = "Picture2", .kind = Kind::PictureBox, .container = "Form1",
               .place = {0, 5460, 10455, 4335}, .tabIndex = 2, .back = kNavy, .frameLine = true,
               .accessibleName = "Bereich Zeitreihendiagramm"},
    ControlRow{.name = "Picture1", .kind = Kind::PictureBox, .container = "Form1",
               .place = {10260, 0, 5415, 5475}, .tabIndex = 1, .back = kWindowBlue,
               .accessibleName = "Bereich Phasendiagramm"},
    ControlRow{.name = "Image6", .kind = Kind::Image, .container = "Form1",
               .place = {5940, 9780, 945, 915}, .picture = "preyFace"},
    ControlRow{.name = "Image5", .kind = Kind::Image, .container = "Form1",
               .place = {15600, 9240, 1500, 1470}, .picture = "predatorLeft"},
    // No picture until start-up gives it that of bildfisch(4).
    ControlRow{.name = "Image4", .kind = Kind::Image, .container = "Form1",
               .place = {16740, 540, 855, 915}},
    ControlRow{.name = "Image3", .kind = Kind::Image, .container = "Form1",
               .place = {17640, 540, 930, 960}, .picture = "fishOrangeLeft"},
    ControlRow{.name = "bildfisch(1)", .kind = Kind::Image, .container = "Form1",
               .place = {10560, 6360, 630, 585}, .picture = "preyYellowLeft", .stretch = true},
    ControlRow{.name = "Line1", .kind = Kind::Line, .container = "Form1", .place = {},
               .fore = kSystemText, .drawWidth = 2, .lineFrom = {15660, 9660},
               .lineTo = {15660, 5460}},
    ControlRow{.name = "Label1", .kind = Kind::Label, .container = "Form1",
               .place = {10920, 7740, 1155, 255}, .tabIndex = 26, .text = "Wachstumsrate",
               .back = kWhiteBack, .fore = kBlackBack, .font = kWindowFont,
               .accessibleName = "Wachstumsrate"},
    ControlRow{.name = "bildfisch(2)", .kind = Kind::Image, .container = "Form1",
               .place = {11460, 6480, 810, 780}, .picture = "preyBowRight", .stretch = true},
    ControlRow{.name = "Image2", .kind = Kind::Image, .container = "Form1",
               .place = {14400, 6360, 945, 915}, .picture = "clockFace", .stretch = true},
    ControlRow{.name = "bildfisch(0)", .kind = Kind::Image, .container = "Form1",
               .place = {16920, 9300, 930, 960}, .picture = "preyBowLeft"},
    ControlRow{.name = "Image1(1)", .kind = Kind::Image, .container = "Form1",
               .place = {12480, 6240, 1080, 1050}, .picture = "predatorLeft", .stretch = true},

    // ---- The aquarium picAqua; the fish pictures follow fishStacking() below these -------
    ControlRow{.name = "Text1", .kind = Kind::TextBox, .container = "picAqua",
               .place = {10020, 5160, 495, 285}, .tabIndex = 38, .text = "8 / 0",
               .back = kBlackBack, .fore = kWhiteBack, .accessibleName = "Achsenursprung",
               .accessibleDescription =
                   "Beschriftung des Phasendiagramms: Beutebestand 8, Räuberbestand 0"},
    ControlRow{.name = "txtxr", .kind = Kind::TextBox, .container = "picAqua",
               .place = {10080, 0, 375, 320}, .tabIndex = 37, .text = "32",
               .back = kBlackBack, .fore = kWhiteBack, .align = Align::Centre,
               .accessibleName = "Beuteachse oben",
               .accessibleDescription = "Beschriftung des Phasendiagramms: Beutebestand 32"},
    ControlRow{.name = "txtFisch1Bestand", .kind = Kind::TextBox, .container = "picAqua",
               .place = {0, 0, 795, 510}, .tabIndex = 13, .text = "", .back = kYellowBack,
               .fore = kSystemText, .font = kTimes1425Bold, .align = Align::Right,
               .accessibleName = "Beutebestand der Generation",
               .accessibleDescription = "Beutebestand nach der zuletzt berechneten Generation, "
                                        "mal 100: 3093 sind 30,93 Beutefische"},
    ControlRow{.name = "txtFisch2Bestand", .kind = Kind::TextBox, .container = "picAqua",
               .place = {780, 0, 795, 510}, .tabIndex = 12, .text = "", .back = kNavy,
               .fore = kWhiteBack, .font = kTimes1425, .align = Align::Centre,
               .accessibleName = "Räuberbestand der Generation",
               .accessibleDescription = "Räuberbestand nach der zuletzt berechneten Generation, "
                                        "mal 100: 1250 sind 12,50 Raubfische"},
    ControlRow{.name = "imgfress(1)", .kind = Kind::Image, .container = "picAqua",
               .place = {5460, 1260, 2100, 2055}, .picture = "eatingLeft"},
    // A picture store only: never shown.
    ControlRow{.name = "bildfisch(4)", .kind = Kind::Image, .container = "picAqua",
               .place = {8160, 1020, 870, 960}, .picture = "preyPinkRight", .visible = false},
    ControlRow{.name = "imgfress(0)", .kind = Kind::Image, .container = "picAqua",
               .place = {960, 660, 2100, 2055}, .picture = "eatingRight"},

    // ---- The time-series diagram's viewport Picture2 --------------------------------------
    ControlRow{.name = "Command3", .kind = Kind::Button, .container = "Picture2",
               .place = {10140, 0, 315, 315}, .tabIndex = 5, .text = "X", .back = kYellowBack,
               .accessibleName = "Zeitreihendiagramm löschen",
               .accessibleDescription =
                   "Löscht das Zeitreihendiagramm und setzt die Generation auf 0"},
    // Reaches 120 twips past the panel's right edge and is cut there.
    ControlRow{.name = "HScroll4", .kind = Kind::HScrollBar, .container = "Picture2",
               .place = {0, 4020, 10575, 315}, .tabIndex = 4, .min = 0, .max = 30000,
               .value = 0, .accessibleName = "Zeitreihendiagramm verschieben",
               .accessibleDescription =
                   "Blättert durch die Generationen des Zeitreihendiagramms"},
    ControlRow{.name = "picDiagramm", .kind = Kind::PictureBox, .container = "Picture2",
               .place = {0, 0, 32055, 4005}, .tabIndex = 3, .back = kBlackBack,
               .fore = kWhiteBack, .persistent = true, .drawWidth = 2,
               .accessibleName = "Zeitreihendiagramm",
               .accessibleDescription =
                   "Beutebestand und Räuberbestand in Prozent über den Generationen",
               .accessibleRole = kChart},

    // ---- The phase diagram's panel Picture1 -----------------------------------------------
    ControlRow{.name = "txtyo", .kind = Kind::TextBox, .container = "Picture1",
               .place = {4980, 5160, 375, 285}, .tabIndex = 7, .text = "24",
               .back = kBlackBack, .fore = kWhiteBack, .align = Align::Centre,
               .accessibleName = "Räuberachse rechts",
               .accessibleDescription = "Beschriftung des Phasendiagramms: Räuberbestand 24"},
    ControlRow{.name = "picphase", .kind = Kind::PictureBox, .container = "Picture1",
               .place = {180, 0, 5235, 5475}, .tabIndex = 6, .back = kBlackBack,
               .fore = kWhiteBack, .frameLine = true, .persistent = true, .drawWidth = 5,
               .accessibleName = "Phasendiagramm",
               .accessibleDescription = "Beutebestand (senkrecht, 8 bis 32) gegen "
                                        "Räuberbestand (waagerecht, 0 bis 24)",
               .accessibleRole = kChart},

    // ---- Inside the phase diagram picphase ------------------------------------------------
    ControlRow{.name = "Command4", .kind = Kind::Button, .container = "picphase",
               .place = {4800, 0, 375, 315}, .tabIndex = 8, .text = "X", .back = kYellowBack,
               .accessibleName = "Phasendiagramm löschen",
               .accessibleDescription = "Löscht die Kurve im Phasendiagramm"},
    ControlRow{.name = "imgtarget", .kind = Kind::Image, .container = "picphase",
               .place = {2280, 900, 405, 390}, .picture = "targetCross",
               .toolTip = "linke Maustaste drücken und halten", .accessibleName = "Zielmarke",
               .accessibleDescription = "Mit gedrückter linker Maustaste im Phasendiagramm "
                                        "ziehen, um Beutebestand und Räuberbestand zugleich "
                                        "zu setzen; mit der Tastatur setzen die Regler "
                                        "Beutebestand und Räuberbestand dasselbe"},
    ControlRow{.name = "bildfisch(3)", .kind = Kind::Image, .container = "picphase",
               .place = {780, 0, 450, 420}, .picture = "preyYellowRight", .stretch = true},
    ControlRow{.name = "Image1(0)", .kind = Kind::Image, .container = "picphase",
               .place = {4200, 4800, 660, 630}, .picture = "predatorRight", .stretch = true},

    // ---- The predator parameters Picture3 -------------------------------------------------
    ControlRow{.name = "txtF2W", .kind = Kind::TextBox, .container = "Picture3",
               .place = {240, 0, 855, 420}, .tabIndex = 33, .text = "32", .back = kSystemBack,
               .fore = kSystemText, .font = kSans135, .align = Align::Centre,
               .accessibleName = "Proportionalitätsfaktor",
               .accessibleDescription =
                   "Vermehrung der Raubfische im Verhältnis zum Beuteangebot"},
    ControlRow{.name = "VScroll2", .kind = Kind::VScrollBar, .container = "Picture3",
               .place = {0, 60, 255, 375}, .tabIndex = 32, .min = 100, .max = 0, .value = 32,
               .accessibleName = "Proportionalitätsfaktor ändern",
               .accessibleDescription = kSpinnerUse, .accessibleRole = kSlider},
    ControlRow{.name = "txtF2fress", .kind = Kind::TextBox, .container = "Picture3",
               .place = {240, 720, 855, 420}, .tabIndex = 31, .text = "10", .back = kSystemBack,
               .fore = kSystemText, .font = kSans135, .align = Align::Centre,
               .accessibleName = "Gefräßigkeit",
               .accessibleDescription = "Wie stark die Raubfische Beutefische fressen"},
    ControlRow{.name = "VScroll3", .kind = Kind::VScrollBar, .container = "Picture3",
               .place = {0, 720, 255, 435}, .tabIndex = 30, .min = 100, .max = 0, .value = 10,
               .accessibleName = "Gefräßigkeit ändern", .accessibleDescription = kSpinnerUse,
               .accessibleRole = kSlider},
    ControlRow{.name = "txtF2sterb", .kind = Kind::TextBox, .container = "Picture3",
               .place = {240, 1440, 855, 420}, .tabIndex = 29, .text = "10",
               .back = kSystemBack, .fore = kSystemText, .font = kSans135,
               .align = Align::Centre, .accessibleName = "Sterberate",
               .accessibleDescription = "Raubfische, die je Generation sterben, in Prozent"},
    ControlRow{.name = "VScroll4", .kind = Kind::VScrollBar, .container = "Picture3",
               .place = {0, 1440, 255, 435}, .tabIndex = 28, .min = 100, .max = 0, .value = 10,
               .accessibleName = "Sterberate ändern", .accessibleDescription = kSpinnerUse,
               .accessibleRole = kSlider},
    ControlRow{.name = "Label6", .kind = Kind::Label, .container = "Picture3",
               .place = {0, 1200, 1035, 435}, .tabIndex = 36, .text = "Gefräßigkeit",
               .back = kWhiteBack, .fore = kBlackBack, .font = kWindowFont,
               .align = Align::Centre, .accessibleName = "Gefräßigkeit"},
    ControlRow{.name = "Label4", .kind = Kind::Label, .container = "Picture3",
               .place = {0, 480, 1095, 315}, .tabIndex = 35, .text = "Proportional.f.",
               .back = kWhiteBack, .fore = kBlackBack, .font = kWindowFont,
               .align = Align::Centre, .accessibleName = "Proportionalitätsfaktor"},
    // Cut by the panel's bottom edge.
    ControlRow{.name = "Label8", .kind = Kind::Label, .container = "Picture3",
               .place = {0, 1860, 1095, 315}, .tabIndex = 34, .text = "Sterberate",
               .back = kWhiteBack, .fore = kBlackBack, .font = kWindowFont,
               .align = Align::Centre, .accessibleName = "Sterberate"},
};

// The fish pictures in picAqua, topmost first (the predators' order lasts; start-up brings
// every prey picture to the front).
constexpr std::array kFish = {
    "imgFisch2(7)",  "imgFisch1(29)", "imgFisch1(31)", "imgFisch2(18)", "imgFisch2(19)",
    "imgFisch2(20)", "imgFisch2(22)", "imgFisch2(23)", "imgFisch2(24)", "imgFisch2(21)",
    "imgFisch2(17)", "imgFisch2(16)", "imgFisch2(15)", "imgFisch2(14)", "imgFisch2(13)",
    "imgFisch2(12)", "imgFisch2(11)", "imgFisch2(10)", "imgFisch2(9)",  "imgFisch2(8)",
    "imgFisch2(6)",  "imgFisch2(5)",  "imgFisch2(4)",  "imgFisch2(3)",  "imgFisch2(2)",
    "imgFisch1(32)", "imgFisch1(30)", "imgFisch1(28)", "imgFisch1(27)", "imgFisch1(26)",
    "imgFisch1(25)", "imgFisch1(24)", "imgFisch1(23)", "imgFisch1(22)", "imgFisch1(21)",
    "imgFisch1(20)", "imgFisch1(19)", "imgFisch1(18)", "imgFisch1(17)", "imgFisch1(16)",
    "imgFisch1(15)", "imgFisch1(14)", "imgFisch1(13)", "imgFisch1(12)", "imgFisch1(11)",
    "imgFisch1(10)", "imgFisch1(9)",  "imgFisch1(8)",  "imgFisch1(7)",  "imgFisch1(6)",
    "imgFisch1(5)",  "imgFisch1(4)",  "imgFisch1(3)",  "imgFisch1(2)",  "imgFisch2(1)",
    "imgFisch1(1)",  "imgFisch2(0)",  "imgFisch1(0)",
};
// clang-format on

} // namespace

const WindowDesign& windowDesign() {
    return kWindow;
}
std::span<const MenuRow> menuRows() {
    return kMenu;
}
std::span<const ControlRow> controlRows() {
    return kControls;
}
std::span<const char* const> fishStacking() {
    return kFish;
}

} // namespace rb
