// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/mouse_tracking.h"

#include "controls/mxbutton/window_hook_chain.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <unordered_map>

namespace trimvox::mxbutton {

namespace {

// Watches one window for the pointer leaving it while a leave notification is requested.
class LeaveWatcher;

std::unordered_map<QObject*, LeaveWatcher*>& Watchers() {
    static std::unordered_map<QObject*, LeaveWatcher*> watchers;
    return watchers;
}

class LeaveWatcher : public QObject {
public:
    explicit LeaveWatcher(QObject* window) : QObject(window), window_(window) {
        Watchers()[window] = this;
        window->installEventFilter(this);
    }
    ~LeaveWatcher() override { Watchers().erase(window_); }

    bool pending = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::Leave && pending) {
            pending = false;
            QEvent leave(static_cast<QEvent::Type>(WindowHookChain::MouseLeaveEventType()));
            QCoreApplication::sendEvent(watched, &leave);
        }
        return false;
    }

private:
    QObject* window_;
};

LeaveWatcher* WatcherOf(QObject* window) {
    const auto it = Watchers().find(window);
    return it == Watchers().end() ? nullptr : it->second;
}

} // namespace

bool TrackMouseEvent(TrackMouseEventRequest& request) {
    if (request.cbSize != 16) {
        return false;
    }
    if (request.hwndTrack == nullptr || request.dwFlags != kTrackLeave) {
        return false;
    }
    LeaveWatcher* watcher = WatcherOf(request.hwndTrack);
    if (watcher == nullptr) {
        watcher = new LeaveWatcher(request.hwndTrack);
    }
    watcher->pending = true;
    return true;
}

bool TrackMouseEventComctl(TrackMouseEventRequest& request) {
    return TrackMouseEvent(request);
}

bool MouseLeavePending(QObject* window) {
    const LeaveWatcher* watcher = window != nullptr ? WatcherOf(window) : nullptr;
    return watcher != nullptr && watcher->pending;
}

} // namespace trimvox::mxbutton
