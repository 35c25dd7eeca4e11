// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Builds the main window's controls from its design (resources/forms/form1.json).

#include "app/design/clickable_label.h"
#include "app/design/form_design.h"
#include "controls/mxbutton/mxbutton.h"
#include "controls/player/media_player.h"

#include <QGroupBox>
#include <QLabel>
#include <QTimer>

#include <array>

namespace trimvox {

// The project's home page, which the credit line names and opens.
inline constexpr const char* kHomePage = "https://trimvox.example.org/";

// The controls of Form1 by their design names. All are children of the window (labels of a frame are
// children of that frame) and live as long as it does.
struct Form1Controls {
    MediaPlayer* wmp = nullptr;
    std::array<mxbutton::mxbutton*, 6> mxb{};
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    ClickableLabel* Label8 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
};

// Gives `form` the window's caption, fixed client size, border buttons and icon, and creates every control
// of the design in it: places, captions, fonts, pointers, the buttons restored from their stored instances,
// the player's settings, the timers (Timer2 running) and the tab order. Connects no handlers.
// Controls that the design lacks stay null.
Form1Controls BuildForm1Design(QWidget& form, const FormDesign& design);
// The same with the design the program carries.
Form1Controls BuildForm1Design(QWidget& form);

} // namespace trimvox
