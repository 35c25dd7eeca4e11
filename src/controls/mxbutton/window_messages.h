// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace trimvox::mxbutton {

// The message numbers that the hooks report, and what they stand for in Qt's events.
inline constexpr std::int32_t kMsgActivate = 0x0006;   // the window became active (wParam 1) or inactive (0)
inline constexpr std::int32_t kMsgNcActivate = 0x0086; // the same for the non-client area
inline constexpr std::int32_t kMsgMouseMove = 0x0200;  // wParam the buttons held, lParam y << 16 | x
inline constexpr std::int32_t kMsgMouseLeave = 0x02A3; // after a one-shot leave request

// Message flags of a registration, and the message number that stands for every message.
inline constexpr int kMsgAfter = 1;
inline constexpr int kMsgBefore = 2;
inline constexpr std::int32_t kAllMessages = -1;

} // namespace trimvox::mxbutton
