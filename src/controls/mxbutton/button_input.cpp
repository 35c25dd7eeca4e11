// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/button_input.h"

namespace trimvox::mxbutton {

namespace {

void HandCursor(const ButtonModel& m, InputEffects& fx) {
    if (m.mHandPointer) {
        fx.SetHandCursor();
    }
}

// A capture that the button took (at Space or a double-click) must not outlive its reason: the next click
// on another control would be swallowed and every mouse move would come here.
void EndCapture(InputEffects& fx) {
    if (fx.HasCapture()) {
        fx.ReleaseCapture();
    }
}

} // namespace

void OnMouseDown(ButtonModel& m, InputEffects& fx, std::int16_t button, std::int16_t shift, float x,
                 float y) {
    m.mLastButton = button;
    m.mLastShift = shift;
    m.mLastX = x;
    m.mLastY = y;
    HandCursor(m, fx);
    if (button != kLeftButton) {
        return;
    }
    m.mHasFocus = true;
    m.mMouseDown = true;
    if (m.mMouseOver) {
        m.mButtonState = ButtonState::Pressed;
    }
    fx.Redraw();
    fx.RaiseMouseDown(button, shift, x, y);
}

void OnMouseMove(ButtonModel& m, InputEffects& fx, std::int16_t button, std::int16_t shift, float x,
                 float y) {
    if (!fx.PointerOverControl()) {
        // Also while the mouse is captured and dragged outside: every such move reports the leave.
        m.mMouseOver = false;
        fx.RaiseMouseLeave();
    }
    fx.RequestMouseLeave();
    if (m.mMouseOver) {
        HandCursor(m, fx);
        if (m.mMouseDown) {
            m.mButtonState = ButtonState::Pressed;
        } else if (!m.mSpaceDown) {
            m.mButtonState = ButtonState::Hot;
        }
        fx.Redraw();
    }
    fx.RaiseMouseMove(button, shift, x, y);
}

void OnMouseUp(ButtonModel& m, InputEffects& fx, std::int16_t button, std::int16_t shift, float x, float y) {
    HandCursor(m, fx);
    if (button == kLeftButton) {
        m.mMouseDown = false;
        // The release counts only strictly inside the surface: the edges themselves are outside.
        if (x > 0 && y > 0 && x < static_cast<float>(m.mWidth) && y < static_cast<float>(m.mHeight)) {
            if (m.mCheckBoxMode) {
                m.mValue = !m.mValue;
            }
            fx.Redraw();
            fx.RaiseClick();
        }
        // The capture taken at a double-click ends with the release of the button.
        EndCapture(fx);
    }
    fx.RaiseMouseUp(button, shift, x, y);
}

void OnDblClick(ButtonModel& m, InputEffects& fx) {
    HandCursor(m, fx);
    if (m.mLastButton != kLeftButton) {
        return;
    }
    fx.TakeCapture();
    m.mButtonState = ButtonState::Pressed;
    fx.Redraw();
    OnMouseDown(m, fx, m.mLastButton, m.mLastShift, m.mLastX, m.mLastY);
    fx.RaiseDblClick();
}

void OnKeyDown(ButtonModel& m, InputEffects& fx, std::int16_t keyCode, std::int16_t shift) {
    switch (keyCode) {
    case kKeyEnter:
        fx.RaiseClick();
        break;
    case kKeySpace:
        if (!m.mMouseDown && shift == kShiftAltAlone) {
            m.altSpaceSwallowed = true;
            return; // Alt+Space belongs to the window menu
        }
        m.altSpaceSwallowed = false;
        if (!m.mMouseDown) {
            m.mSpaceDown = true;
            if (m.mCheckBoxMode) {
                m.mValue = !m.mValue;
            } else if (m.mButtonState != ButtonState::Pressed) {
                m.mButtonState = ButtonState::Pressed;
                fx.Redraw();
            }
        }
        if (!fx.HasCapture()) {
            fx.ReleaseCapture();
            fx.TakeCapture();
        }
        break;
    case kKeyLeft:
    case kKeyUp:
        fx.SendTab(false);
        break;
    case kKeyRight:
    case kKeyDown:
        fx.SendTab(true);
        break;
    default:
        break;
    }
    fx.RaiseKeyDown(keyCode, shift);
}

void OnKeyUp(ButtonModel& m, InputEffects& fx, std::int16_t keyCode, std::int16_t shift) {
    if (keyCode != kKeySpace) {
        return;
    }
    // The release of a press that was swallowed as Alt+Space clicks nothing.
    const bool click = !m.altSpaceSwallowed;
    m.altSpaceSwallowed = false;
    if (!m.mMouseOver) {
        m.mButtonState = ButtonState::Normal;
        fx.Redraw();
        if (click) {
            fx.RaiseClick();
        }
    } else if (m.mMouseDown) {
        m.mButtonState = ButtonState::Pressed;
        fx.Redraw();
    } else {
        m.mButtonState = ButtonState::Hot;
        fx.Redraw();
        if (click) {
            fx.RaiseClick();
        }
    }
    fx.RaiseKeyUp(keyCode, shift);
    m.mSpaceDown = false;
    m.mMouseDown = false;
    // The capture taken when Space went down ends with its release.
    EndCapture(fx);
}

void OnAccessKey(ButtonModel& m, InputEffects& fx, std::int16_t keyAscii) {
    if (!m.mEnabled) {
        return;
    }
    if (m.mSpaceDown) {
        m.mSpaceDown = false;
        m.mMouseDown = false;
    }
    if (m.mCheckBoxMode) {
        if (keyAscii == kKeyEscape || keyAscii == kKeyEnter) {
            return;
        }
        m.mValue = !m.mValue;
        if (!m.mValue) {
            m.mButtonState = ButtonState::Normal;
        }
        fx.Redraw();
    }
    // A waiting message may close the form and take the button with it: then there is nobody to click.
    if (!fx.DoEvents()) {
        return;
    }
    fx.RaiseClick();
}

void OnFocusGained(ButtonModel& m, InputEffects& fx) {
    m.mHasFocus = true;
    if (m.mMouseOver) {
        m.mButtonState = ButtonState::Hot;
    } else if (!m.mMouseDown) {
        m.mButtonState = ButtonState::Normal;
    }
    // A button reached with the keyboard shows at once that it has the focus.
    fx.Redraw();
}

void OnFocusLost(ButtonModel& m, InputEffects& fx) {
    m.mHasFocus = false;
    m.mMouseDown = false;
    m.mSpaceDown = false;
    m.altSpaceSwallowed = false;
    m.mButtonState = m.mParentActive && m.mMouseOver ? ButtonState::Hot : ButtonState::Normal;
    EndCapture(fx);
    fx.Redraw();
}

void OnPointerEntered(ButtonModel& m, InputEffects& fx) {
    m.mMouseOver = true;
    fx.RequestMouseLeave();
    if (!m.mSpaceDown) {
        m.mButtonState = ButtonState::Hot;
    }
    fx.Redraw();
    fx.RaiseMouseEnter();
}

void OnPointerLeft(ButtonModel& m, InputEffects& fx) {
    m.mMouseOver = false;
    if (m.mSpaceDown) {
        return; // the pressed look stays while Space is held
    }
    if (m.mEnabled) {
        m.mButtonState = ButtonState::Normal;
    }
    fx.Redraw();
    fx.RaiseMouseLeave();
}

void OnParentActivated(ButtonModel& m, InputEffects& fx) {
    m.mParentActive = true;
    m.mButtonState = ButtonState::Normal;
    fx.Redraw();
}

void OnParentDeactivated(ButtonModel& m, InputEffects& fx) {
    m.mMouseDown = false;
    m.mSpaceDown = false;
    m.altSpaceSwallowed = false;
    m.mHasFocus = false;
    m.mParentActive = false;
    m.mButtonState = ButtonState::Normal;
    EndCapture(fx);
    fx.Redraw();
}

} // namespace trimvox::mxbutton
