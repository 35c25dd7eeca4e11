// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/gdi/color.h"

namespace trimvox::gdi {

// System colour indexes (the low byte of an OLE system colour reference).
enum SysColorIndex : int {
    kColorScrollBar = 0,
    kColorBackground = 1,
    kColorActiveCaption = 2,
    kColorInactiveCaption = 3,
    kColorMenu = 4,
    kColorWindow = 5,
    kColorWindowFrame = 6,
    kColorMenuText = 7,
    kColorWindowText = 8,
    kColorCaptionText = 9,
    kColorActiveBorder = 10,
    kColorInactiveBorder = 11,
    kColorAppWorkspace = 12,
    kColorHighlight = 13,
    kColorHighlightText = 14,
    kColorBtnFace = 15,
    kColorBtnShadow = 16,
    kColorGrayText = 17,
    kColorBtnText = 18,
    kColorInactiveCaptionText = 19,
    kColorBtnHighlight = 20,
    kColor3DDkShadow = 21,
    kColor3DLight = 22,
    kColorInfoText = 23,
    kColorInfoBk = 24,
    kColorHotLight = 26,
    kColorGradientActiveCaption = 27,
    kColorGradientInactiveCaption = 28,
    kColorMenuHilight = 29,
    kColorMenuBar = 30,
};

// OLE references to system colours.
constexpr OleColor SystemColor(int index) {
    return 0x80000000u | static_cast<OleColor>(index);
}
inline constexpr OleColor kSysButtonFace = SystemColor(kColorBtnFace);
inline constexpr OleColor kSysButtonText = SystemColor(kColorBtnText);
inline constexpr OleColor kSysGrayText = SystemColor(kColorGrayText);
inline constexpr OleColor kSysAppWorkspace = SystemColor(kColorAppWorkspace);

// The colour of a system colour index, from one table with the Windows 10 defaults. An index outside the
// table gives 0 (black).
ColorRef GetSysColor(int index);

// Translates an OLE colour to RGB as OleTranslateColor does with no palette: an RGB value stays as it is,
// a system colour reference gives the table's colour; anything else, and an unknown system colour index,
// fails and gives kInvalidColor.
ColorRef ResolveColor(OleColor color, std::uint32_t palette = 0);

} // namespace trimvox::gdi
