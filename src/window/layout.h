// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/userscale.h"

#include <QColor>
#include <QPointF>

#include <array>
#include <span>

namespace rb {

// The design of the window Form1 as data: one row a control, every property the window's
// layout gives it, and its accessible name and description. controllist.h lists the rows,
// layout.cpp makes the tables of them; Form1 (form1.cpp) makes the window from the tables.

enum class Kind {
    PictureBox,
    TextBox,
    HScrollBar,
    VScrollBar,
    Button,
    CheckBox,
    Image,
    Label,
    Line,
    Timer
};

// A font of the layout; Window is the window's own ("MS Sans Serif" 8.25 pt regular).
struct FontDesign {
    const char* face = nullptr; // null: the window's font
    double points = 0;
    bool bold = false;
};

// Text alignment of text boxes and labels.
enum class Align { Left, Centre, Right };

struct ControlRow {
    const char* name; // "txtF1p", or an array element "bildfisch(3)"
    Kind kind;
    const char* container; // "Form1" (the client area) or the name of a picture box
    // Left, Top, Width, Height in twips within the container. An image without Stretch takes
    // its picture's size; its Width and Height here are that size, for the reader.
    Twips place;
    int tabIndex = -1;          // -1: no TabIndex
    const char* text = nullptr; // text, caption
    QRgb back = 0;              // 0: the control's default
    QRgb fore = 0;
    FontDesign font = {};
    Align align = Align::Left;
    int min = 0, max = 0, value = 0; // scroll bars; timers: value is the interval
    const char* picture = nullptr;
    bool stretch = false;
    bool frameLine = false;  // picture boxes
    bool persistent = false; // picture boxes: keep their drawing (AutoRedraw)
    int drawWidth = 0;       // picture boxes: 0 keeps the default
    bool visible = true;
    const char* toolTip = nullptr;
    const char* accessibleName = nullptr;
    const char* accessibleDescription = nullptr;
    int accessibleRole = -1;            // a QAccessible::Role, or -1 for the control's own
    QPointF lineFrom = {}, lineTo = {}; // lines, in twips
};

// An element of a control array that differs from the array's design: its picture (null: the
// array's) and its Tag.
struct ElementDesign {
    int index = -1; // -1: none
    const char* picture = nullptr;
    const char* tag = nullptr;
};

// A control array. Without a container its elements are rows of the control table; with one,
// the array's elements 0..count-1 are made in that container from this row alone, stacked as
// fishStacking() says.
struct ArrayRow {
    const char* name; // "imgFisch1"
    Kind kind;
    int count;
    const char* container = nullptr;
    Twips place = {}; // of every element; an element without a picture has this size
    const char* picture = nullptr;
    std::array<ElementDesign, 2> exceptions = {};
};

struct MenuRow {
    const char* name;
    const char* caption;
    const char* description;
};

struct WindowDesign {
    const char* caption;
    double clientWidth, clientHeight; // twips
    QRgb back;
    const char* picture;
    const char* icon;
    FontDesign font;
    const char* language; // of every text in the window, also those Qt supplies
    // The frame's outer corner on the screen, twips; the client area's corner then lies 60
    // twips right of it and 630 twips down.
    double left, top;
};

const WindowDesign& windowDesign();
std::span<const MenuRow> menuRows();
// Every control, container by container, topmost first within each container.
std::span<const ControlRow> controlRows();
// Every control array.
std::span<const ArrayRow> arrayRows();
// The fish pictures of the aquarium, topmost first; the aquarium's other images and text
// boxes lie above all of them.
std::span<const char* const> fishStacking();

} // namespace rb
