// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/layout.h"
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

// The class of the controls of a kind.
template <Kind> struct ControlTypeOf;
template <> struct ControlTypeOf<Kind::PictureBox> { using type = PictureBox; };
template <> struct ControlTypeOf<Kind::TextBox> { using type = TextBox; };
template <> struct ControlTypeOf<Kind::HScrollBar> { using type = ScrollBar; };
template <> struct ControlTypeOf<Kind::VScrollBar> { using type = ScrollBar; };
template <> struct ControlTypeOf<Kind::Button> { using type = Button; };
template <> struct ControlTypeOf<Kind::CheckBox> { using type = CheckBox; };
template <> struct ControlTypeOf<Kind::Image> { using type = Image; };
template <> struct ControlTypeOf<Kind::Label> { using type = Label; };
template <> struct ControlTypeOf<Kind::Line> { using type = Line; };
template <> struct ControlTypeOf<Kind::Timer> { using type = Timer; };
template <Kind k> using ControlType = typename ControlTypeOf<k>::type;

// The name of element k of a control array: "imgFisch2(7)".
QString arrayName(const char* array, int index);

// The program's one window with every control in its design state, made from the layout
// tables (controllist.h, layout.cpp). It also holds the window-level state that the handlers
// share. The handlers themselves live with their subsystems and are connected by
// connectHandlers().
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

    // Every control of the window, typed after its kind, and every menu bar entry
    // (triggered() is its Click): one member a row of controllist.h, where each is described.
#define RB_MENU(NAME, CAPTION, DESCRIPTION) QAction* NAME = nullptr;
#define RB_CONTROL(NAME, KIND, ...) ControlType<Kind::KIND>* NAME = nullptr;
#define RB_ARRAY(NAME, KIND, COUNT, ...) std::array<ControlType<Kind::KIND>*, COUNT> NAME{};
#include "window/controllist.h"

signals:
    // After every pass of the swimming animation (for measurements).
    void animationPassed();

private:
    // Makes every control of the layout table, container by container, bottom-most first.
    void buildControls();
    QObject* makeControl(Container* c, const ControlRow& row);
    void makeArrayElements(Container* c, const char* containerName);
    QObject* control(const QString& name) const;
    // Binds a member to the control of that name, which must be of the member's type; in
    // every build a start that cannot stops with a message.
    template <typename T> void bind(T*& field, const QString& name) {
        field = qobject_cast<T*>(control(name));
        if (!field) {
            noSuchControl(name);
        }
    }
    [[noreturn]] static void noSuchControl(const QString& name);
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
