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
    .left = 0,
    .top = 0,
};

// The macros' parameters are in capitals: one named like a field (name) would replace the
// field's name (.name) as well.
#define RB_MENU(NAME, CAPTION, DESCRIPTION) MenuRow{#NAME, CAPTION, DESCRIPTION},
constexpr std::array kMenu = {
#include "window/controllist.h"
};

#define RB_CONTROL(NAME, KIND, ...) ControlRow{.name = #NAME, .kind = Kind::KIND, __VA_ARGS__},
#define RB_ELEMENT(ARRAY, INDEX, KIND, ...)                                                        \
    ControlRow{.name = #ARRAY "(" #INDEX ")", .kind = Kind::KIND, __VA_ARGS__},
constexpr std::array kControls = {
#include "window/controllist.h"
};

#define RB_ARRAY(NAME, KIND, COUNT, ...)                                                           \
    ArrayRow{.name = #NAME, .kind = Kind::KIND, .count = COUNT, __VA_ARGS__},
constexpr std::array kArrays = {
#include "window/controllist.h"
};

// clang-format off
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
std::span<const ArrayRow> arrayRows() {
    return kArrays;
}
std::span<const char* const> fishStacking() {
    return kFish;
}

} // namespace rb
