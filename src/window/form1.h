// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/runtime/button.h"
#include "window/runtime/checkbox.h"
#include "window/runtime/form.h"
#include "window/runtime/image.h"
#include "window/runtime/label.h"
#include "window/runtime/line.h"
#include "window/runtime/picturebox.h"
#include "window/runtime/scrollbar.h"
#include "window/runtime/textbox.h"
#include "window/runtime/timer.h"

#include <QHash>

#include <array>

class QAction;

namespace rb {

struct ControlRow;

// The name of element k of a control array: "imgFisch2(7)".
QString arrayName(const char* array, int index);

// The program's one window with every control in its design state, made from the layout
// table (layout.cpp). It also holds the window-level state that the handlers share. The
// handlers themselves live with their subsystems and are connected by connectHandlers().
class Form1 : public Form {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // Window-level state.
    bool stopped = false;     // true while the simulation is stopped
    long long generation = 0; // generation counter, also the time-series x coordinate
    double stock1 = 0;        // prey stock, keeps its fraction between generations
    double stock2 = 0;        // predator stock
    bool animating = false;   // the swimming animation's loop is running

    // Menu bar entries; triggered() is their Click.
    QAction* cmdEnde = nullptr;
    QAction* cmdZyk = nullptr;
    QAction* cmdKleinZyklus = nullptr;
    QAction* cmdfix = nullptr;
    QAction* cmdlabil = nullptr;

    Timer* Timer1 = nullptr;

    // Controls directly in the window.
    PictureBox* Picture3 = nullptr;
    Button* Command5 = nullptr;
    Button* Command1 = nullptr;
    Button* Command2 = nullptr;
    TextBox* txtTime = nullptr;
    ScrollBar* HScroll3 = nullptr;
    ScrollBar* HScroll2 = nullptr;
    TextBox* txtFisch2 = nullptr;
    ScrollBar* HScroll1 = nullptr;
    TextBox* txtFisch1 = nullptr;
    TextBox* txtF1p = nullptr;
    ScrollBar* VScroll1 = nullptr;
    TextBox* Text2 = nullptr;
    TextBox* Text4 = nullptr;
    TextBox* Text3 = nullptr;
    CheckBox* Check1 = nullptr;
    PictureBox* picAqua = nullptr;
    PictureBox* Picture2 = nullptr;
    PictureBox* Picture1 = nullptr;
    Image* Image6 = nullptr;
    Image* Image5 = nullptr;
    Image* Image4 = nullptr;
    Image* Image3 = nullptr;
    Line* Line1 = nullptr;
    Label* Label1 = nullptr;
    Image* Image2 = nullptr;

    // In the aquarium.
    TextBox* Text1 = nullptr;
    TextBox* txtxr = nullptr;
    TextBox* txtFisch1Bestand = nullptr;
    TextBox* txtFisch2Bestand = nullptr;
    std::array<Image*, 2> imgfress{};
    std::array<Image*, 33> imgFisch1{}; // prey 1..32; 0 is never shown
    std::array<Image*, 25> imgFisch2{}; // predators 1..24; 0 is never shown

    // Picture stores: bildfisch(0..3) prey looks, (4) a decoration's picture; Image1(0..1)
    // the predator facing right and left. They live in different containers.
    std::array<Image*, 5> bildfisch{};
    std::array<Image*, 2> Image1{};

    // Time-series diagram.
    Button* Command3 = nullptr;
    ScrollBar* HScroll4 = nullptr;
    PictureBox* picDiagramm = nullptr;

    // Phase diagram.
    TextBox* txtyo = nullptr;
    PictureBox* picphase = nullptr;
    Button* Command4 = nullptr;
    Image* imgtarget = nullptr;

    // Predator parameters.
    TextBox* txtF2W = nullptr;
    ScrollBar* VScroll2 = nullptr;
    TextBox* txtF2fress = nullptr;
    ScrollBar* VScroll3 = nullptr;
    TextBox* txtF2sterb = nullptr;
    ScrollBar* VScroll4 = nullptr;
    Label* Label6 = nullptr;
    Label* Label4 = nullptr;
    Label* Label8 = nullptr;

signals:
    // After every pass of the swimming animation (for measurements).
    void animationPassed();

private:
    // Makes every control of the layout table, container by container, bottom-most first.
    void buildControls();
    QObject* makeControl(Container* c, const ControlRow& row);
    QObject* control(const QString& name) const;
    template <typename T> void bind(T*& field, const QString& name) {
        field = qobject_cast<T*>(control(name));
        Q_ASSERT(field);
    }
    template <typename T, std::size_t N>
    void bindArray(std::array<T*, N>& fields, const char* array) {
        for (std::size_t k = 0; k < N; ++k) {
            bind(fields[k], arrayName(array, static_cast<int>(k)));
        }
    }
    void bindControls();
    void setTabOrder();

    QHash<QString, QObject*> m_controls;
};

} // namespace rb
