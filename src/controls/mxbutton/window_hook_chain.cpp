// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/window_hook_chain.h"

#include "controls/mxbutton/window_messages.h"

#include <QEvent>
#include <QMouseEvent>

#include <algorithm>
#include <unordered_map>

namespace trimvox::mxbutton {

namespace {

std::unordered_map<QObject*, WindowHookChain*>& Chains() {
    static std::unordered_map<QObject*, WindowHookChain*> chains;
    return chains;
}

struct Message {
    std::int32_t number = 0;
    std::int32_t wParam = 0;
    std::int32_t lParam = 0;
    bool ownHandling = true; // whether the window's own handling of the Qt event belongs to this message
};

// The messages that a Qt event stands for: activation gives the non-client activation first, as on
// Windows, and then the activation itself.
std::vector<Message> MessagesOf(QEvent* event) {
    const int type = event->type();
    if (type == QEvent::MouseMove) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint p = mouse->position().toPoint();
        const std::int32_t lParam = static_cast<std::int32_t>(
            (static_cast<std::uint32_t>(p.y() & 0xFFFF) << 16) | static_cast<std::uint32_t>(p.x() & 0xFFFF));
        return {{kMsgMouseMove, static_cast<std::int32_t>(mouse->buttons().toInt() & 0xFFFF), lParam, true}};
    }
    if (type == WindowHookChain::MouseLeaveEventType()) {
        return {{kMsgMouseLeave, 0, 0, true}};
    }
    if (type == QEvent::WindowActivate || type == QEvent::WindowDeactivate) {
        const std::int32_t active = type == QEvent::WindowActivate ? 1 : 0;
        return {{kMsgNcActivate, active, 0, false}, {kMsgActivate, active, 0, true}};
    }
    return {};
}

} // namespace

bool HookLink::Reports(bool before, std::int32_t message) const {
    const std::int32_t count = before ? beforeCount : afterCount;
    if (count == kAllMessages) {
        return true;
    }
    const std::vector<std::int32_t>& table = before ? beforeTable : afterTable;
    const std::size_t n = std::min(static_cast<std::size_t>(std::max(count, 0)), table.size());
    return std::find(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(n), message) !=
           table.begin() + static_cast<std::ptrdiff_t>(n);
}

int WindowHookChain::MouseLeaveEventType() {
    static const int type = QEvent::registerEventType();
    return type;
}

WindowHookChain::WindowHookChain(QObject* window) : QObject(nullptr), window_(window) {
    Chains()[window] = this;
    window->installEventFilter(this);
    // A window that goes away takes its hooks with it.
    connect(window, &QObject::destroyed, this, [this] {
        Chains().erase(window_);
        links_.clear();
        deleteLater();
    });
}

WindowHookChain::~WindowHookChain() {
    const auto it = Chains().find(window_);
    if (it != Chains().end() && it->second == this) {
        Chains().erase(it);
    }
}

std::uintptr_t WindowHookChain::Attach(QObject* window, const std::shared_ptr<HookLink>& link) {
    if (window == nullptr || !link) {
        return 0;
    }
    auto it = Chains().find(window);
    WindowHookChain* chain = it != Chains().end() ? it->second : new WindowHookChain(window);
    const std::uintptr_t previous = chain->links_.empty() ? 0 : ProcedureOf(chain->links_.back().get());
    chain->links_.push_back(link);
    return previous;
}

void WindowHookChain::Detach(QObject* window, const std::shared_ptr<HookLink>& link) {
    const auto it = Chains().find(window);
    if (it == Chains().end()) {
        return;
    }
    WindowHookChain* chain = it->second;
    auto& links = chain->links_;
    links.erase(std::remove(links.begin(), links.end(), link), links.end());
    if (links.empty()) {
        Chains().erase(it);
        window->removeEventFilter(chain);
        QObject::disconnect(window, nullptr, chain, nullptr);
        chain->deleteLater();
    }
}

std::uintptr_t WindowHookChain::CurrentProcedure(QObject* window) {
    const auto it = Chains().find(window);
    if (it == Chains().end() || it->second->links_.empty()) {
        return 0;
    }
    return ProcedureOf(it->second->links_.back().get());
}

int WindowHookChain::HookCount(QObject* window) {
    const auto it = Chains().find(window);
    return it == Chains().end() ? 0 : static_cast<int>(it->second->links_.size());
}

bool WindowHookChain::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || links_.empty()) {
        return false;
    }
    const std::vector<Message> messages = MessagesOf(event);
    if (messages.empty()) {
        return false;
    }
    // A hook may be detached while a message runs (a callback can tear its button down): work on a copy
    // of the chain, whose links stay alive until the message has passed.
    const std::vector<std::shared_ptr<HookLink>> links = links_;
    const bool reported = std::any_of(links.begin(), links.end(), [&](const auto& link) {
        return std::any_of(messages.begin(), messages.end(), [&](const Message& m) {
            return link->Reports(true, m.number) || link->Reports(false, m.number);
        });
    });
    if (!reported) {
        return false; // nothing to report: the window handles the event the ordinary way
    }
    bool ranOwnHandling = false;
    for (const Message& m : messages) {
        Call(links.size(), links, watched, event, m.number, m.wParam, m.lParam, m.ownHandling,
             ranOwnHandling);
    }
    if (!ranOwnHandling) {
        // A hook in front handled the message itself: the window's own handling does not run.
        event->accept();
    }
    return true;
}

// Runs the message through the link at depth - 1 and everything behind it; depth 0 is the window's own
// handling.
std::int32_t WindowHookChain::Call(std::size_t depth, const std::vector<std::shared_ptr<HookLink>>& links,
                                   QObject* window, QEvent* event, std::int32_t message, std::int32_t wParam,
                                   std::int32_t lParam, bool ownHandling, bool& ranOwnHandling) {
    if (depth == 0) {
        if (!ownHandling) {
            return 1;
        }
        ranOwnHandling = true;
        // The window's own event handling, as Qt would run it after the event filters. (Filters that were
        // installed on the window before its first hook do not see a message that a hook reports.)
        return window->event(event) ? 1 : 0;
    }
    const HookLink& link = *links[depth - 1];
    bool bHandled = false;
    std::int32_t lReturn = 0;
    if (link.owner != nullptr && link.Reports(true, message)) {
        QObject* hwnd = window;
        std::int32_t uMsg = message;
        std::int32_t w = wParam;
        std::int32_t l = lParam;
        link.owner->zSubclass_Proc(true, bHandled, lReturn, hwnd, uMsg, w, l);
    }
    if (!bHandled) {
        lReturn = Call(depth - 1, links, window, event, message, wParam, lParam, ownHandling, ranOwnHandling);
        if (link.owner != nullptr && link.Reports(false, message)) {
            QObject* hwnd = window;
            std::int32_t uMsg = message;
            std::int32_t w = wParam;
            std::int32_t l = lParam;
            link.owner->zSubclass_Proc(false, bHandled, lReturn, hwnd, uMsg, w, l);
        }
    }
    return lReturn;
}

} // namespace trimvox::mxbutton
