// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/button_model.h"

#include <cstdint>

namespace trimvox::mxbutton {

// Mouse buttons and shift states as masks, key codes as virtual-key codes.
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kShiftAltAlone = 4;
inline constexpr std::int16_t kKeyEnter = 13;
inline constexpr std::int16_t kKeyEscape = 27;
inline constexpr std::int16_t kKeySpace = 32;
inline constexpr std::int16_t kKeyLeft = 37;
inline constexpr std::int16_t kKeyUp = 38;
inline constexpr std::int16_t kKeyRight = 39;
inline constexpr std::int16_t kKeyDown = 40;

// What the input handling asks of the control window and its host.
class InputEffects {
public:
    virtual ~InputEffects() = default;

    virtual void Redraw() = 0;
    // Shows the hand cursor (asked only while HandPointer is set).
    virtual void SetHandCursor() = 0;
    // Whether the window under the pointer is the control window.
    virtual bool PointerOverControl() = 0;
    // One mouse-leave notification for the control window.
    virtual void RequestMouseLeave() = 0;
    virtual bool HasCapture() = 0;
    virtual void TakeCapture() = 0;
    virtual void ReleaseCapture() = 0;
    // Moves the focus to the next (true) or previous (false) control, as a Tab or Shift+Tab keystroke.
    virtual void SendTab(bool forward) = 0;
    // Lets the window messages that are already waiting run; false when the control went away meanwhile.
    virtual bool DoEvents() = 0;

    virtual void RaiseClick() = 0;
    virtual void RaiseDblClick() = 0;
    virtual void RaiseMouseEnter() = 0;
    virtual void RaiseMouseLeave() = 0;
    virtual void RaiseMouseMove(std::int16_t button, std::int16_t shift, float x, float y) = 0;
    virtual void RaiseMouseUp(std::int16_t button, std::int16_t shift, float x, float y) = 0;
    virtual void RaiseMouseDown(std::int16_t button, std::int16_t shift, float x, float y) = 0;
    virtual void RaiseKeyDown(std::int16_t keyCode, std::int16_t shift) = 0;
    virtual void RaiseKeyUp(std::int16_t keyCode, std::int16_t shift) = 0;
};

// The button's reactions to its inputs: they change the visual state and the input flags of the model,
// redraw and raise the events. The control window feeds them; the hooks feed the last four.
void OnMouseDown(ButtonModel& m, InputEffects& fx, std::int16_t button, std::int16_t shift, float x, float y);
void OnMouseMove(ButtonModel& m, InputEffects& fx, std::int16_t button, std::int16_t shift, float x, float y);
void OnMouseUp(ButtonModel& m, InputEffects& fx, std::int16_t button, std::int16_t shift, float x, float y);
// A double-click arrives in place of the second button down.
void OnDblClick(ButtonModel& m, InputEffects& fx);
void OnKeyDown(ButtonModel& m, InputEffects& fx, std::int16_t keyCode, std::int16_t shift);
void OnKeyUp(ButtonModel& m, InputEffects& fx, std::int16_t keyCode, std::int16_t shift);
// The access key, or Enter / Escape when the button is its form's default or cancel button.
void OnAccessKey(ButtonModel& m, InputEffects& fx, std::int16_t keyAscii);
void OnFocusGained(ButtonModel& m, InputEffects& fx);
void OnFocusLost(ButtonModel& m, InputEffects& fx);
void OnPointerEntered(ButtonModel& m, InputEffects& fx);
void OnPointerLeft(ButtonModel& m, InputEffects& fx);
void OnParentActivated(ButtonModel& m, InputEffects& fx);
void OnParentDeactivated(ButtonModel& m, InputEffects& fx);

} // namespace trimvox::mxbutton
