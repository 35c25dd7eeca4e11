// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <cstdint>
#include <memory>
#include <vector>

class QEvent;

namespace trimvox::mxbutton {

// The callback that a hook reports its registered messages to. Everything is passed by reference:
// setting bHandled in the before phase keeps the window's own handling and the after phase from running,
// and lReturn at the end is the result of the window's handling.
class SubclassCallback {
public:
    virtual ~SubclassCallback() = default;
    virtual void zSubclass_Proc(bool bBefore, bool& bHandled, std::int32_t& lReturn, QObject*& lng_hWnd,
                                std::int32_t& uMsg, std::int32_t& wParam, std::int32_t& lParam) = 0;
};

// One hook on one window (the link that stands in front of the window's previous handling): the message
// tables and counts as the owner last wrote them. A count of 0 reports nothing, -1 every message, n > 0 the
// messages among the first n table entries.
struct HookLink {
    SubclassCallback* owner = nullptr;
    std::int32_t beforeCount = 0;
    std::int32_t afterCount = 0;
    std::vector<std::int32_t> beforeTable;
    std::vector<std::int32_t> afterTable;

    bool Reports(bool before, std::int32_t message) const;
};

// A per-window hooking facility built on one Qt event filter per window. Hooks stack: the one attached
// last sees a message first, and "calling the previous procedure" passes the message to the hook attached
// before it, and finally to the window's own handling. Any hook can be detached at any time without
// breaking the others.
class WindowHookChain : public QObject {
    Q_OBJECT
public:
    // Puts the link in front of the window's current handling; returns the previous procedure (0 for the
    // window's own handling).
    static std::uintptr_t Attach(QObject* window, const std::shared_ptr<HookLink>& link);
    // Takes the link out of the window's chain, wherever it stands; nothing when it is not there.
    static void Detach(QObject* window, const std::shared_ptr<HookLink>& link);
    // The window's current procedure: the front link, 0 when the window is not hooked.
    static std::uintptr_t CurrentProcedure(QObject* window);
    static std::uintptr_t ProcedureOf(const HookLink* link) { return reinterpret_cast<std::uintptr_t>(link); }
    // How many hooks stand in front of the window.
    static int HookCount(QObject* window);

    // The event type of a leave notification that a request for one delivers (message 0x2A3).
    static int MouseLeaveEventType();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowHookChain(QObject* window);
    ~WindowHookChain() override;

    std::int32_t Call(std::size_t depth, const std::vector<std::shared_ptr<HookLink>>& links, QObject* window,
                      QEvent* event, std::int32_t message, std::int32_t wParam, std::int32_t lParam,
                      bool ownHandling, bool& ranOwnHandling);

    QObject* window_ = nullptr;
    // In the order of attaching: the last one stands in front.
    std::vector<std::shared_ptr<HookLink>> links_;
};

} // namespace trimvox::mxbutton
