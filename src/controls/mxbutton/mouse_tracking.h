// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class QObject;

namespace trimvox::mxbutton {

inline constexpr std::uint32_t kTrackLeave = 2;

// A request for mouse-tracking notifications, laid out as on Windows (16 bytes there).
struct TrackMouseEventRequest {
    std::uint32_t cbSize = 16;
    std::uint32_t dwFlags = kTrackLeave;
    QObject* hwndTrack = nullptr;
    std::uint32_t dwHoverTime = 0;
};

// Asks for one leave notification for the window: the next time the pointer leaves it, the window gets a
// leave event (message 0x2A3) of its own. Only leave requests are supported; false for anything else.
bool TrackMouseEvent(TrackMouseEventRequest& request);
// The same facility under the older common-controls name "_TrackMouseEvent".
bool TrackMouseEventComctl(TrackMouseEventRequest& request);

// Whether a leave notification is requested and not delivered yet.
bool MouseLeavePending(QObject* window);

} // namespace trimvox::mxbutton
