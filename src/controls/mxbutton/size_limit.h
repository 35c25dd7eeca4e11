// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trimvox::mxbutton {

inline constexpr int kTwipsPerPixel = 15;
// The smallest outer width and height of a button.
inline constexpr int kMinimumTwips = 220;

// A size in twips raised to the minimum.
constexpr int LimitTwips(int twips) {
    return twips < kMinimumTwips ? kMinimumTwips : twips;
}

// Twips to whole pixels, rounded to the nearest pixel (220 twips give 15 pixels).
constexpr int TwipsToPixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

} // namespace trimvox::mxbutton
