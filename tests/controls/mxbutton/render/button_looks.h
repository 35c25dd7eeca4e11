// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/button_model.h"
#include "controls/mxbutton/render/redraw.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/text.h"

#include <array>
#include <string>

namespace trimvox::mxbutton::looks {

// The looks that the gallery, the golden images and the benchmark show for every style.
enum class Look { Normal, Hot, Pressed, Checked, Disabled, Focused };
inline constexpr std::array<Look, 6> kAllLooks = {Look::Normal,  Look::Hot,      Look::Pressed,
                                                  Look::Checked, Look::Disabled, Look::Focused};
const char* LookName(Look look);
// "Standard", "ThinEdge", ... for 0 to 15.
const char* StyleName(int style);

// A live button of the given style with the style's own colours (as setting ButtonStyle gives them), no
// caption, no picture, enabled, its parent window active.
ButtonModel MakeButton(int style);
// Puts the button in the look: the state, check-box mode with Value, disabled, or focused.
void ApplyLook(ButtonModel& m, Look look);

// The context of a button at run time on a form of the system button face colour.
RedrawContext RunTimeContext(const gdi::TextRenderer* text = nullptr);

// One repaint of a width x height button of the style in the look.
gdi::Surface Render(int style, Look look, int width = 57, int height = 25,
                    const gdi::TextRenderer* text = nullptr);

} // namespace trimvox::mxbutton::looks
