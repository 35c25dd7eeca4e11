// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/subclass_table.h"

#include "controls/mxbutton/window_messages.h"

#include <QCoreApplication>
#include <QEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trimvox::mxbutton {
namespace {

using Log = std::vector<std::string>;

// A window that notes when its own handling of an activation runs.
class RecordingWindow : public QObject {
public:
    explicit RecordingWindow(Log& log) : log_(log) {}
    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate) {
            log_.push_back("own");
            return true;
        }
        return QObject::event(e);
    }

private:
    Log& log_;
};

class RecordingOwner : public SubclassCallback {
public:
    RecordingOwner(std::string name, Log& log) : name_(std::move(name)), log_(log) {}
    void zSubclass_Proc(bool bBefore, bool& bHandled, std::int32_t& lReturn, QObject*&, std::int32_t& uMsg,
                        std::int32_t& wParam, std::int32_t&) override {
        log_.push_back(name_ + (bBefore ? ":before:" : ":after:") + std::to_string(uMsg) + "/" +
                       std::to_string(wParam) + "/ret" + std::to_string(lReturn));
        if (bBefore && handleBefore) {
            bHandled = true;
            lReturn = 42;
        }
    }
    bool handleBefore = false;

private:
    std::string name_;
    Log& log_;
};

void Activate(QObject* window) {
    QEvent e(QEvent::WindowActivate);
    QCoreApplication::sendEvent(window, &e);
}

TEST(SubclassTable, EntriesAreReusedAndTheSameWindowTwiceGetsTwoEntries) {
    Log log;
    RecordingOwner owner("a", log);
    QObject w1, w2;
    SubclassTable table(owner);
    EXPECT_EQ(table.SubclassWindow(&w1), 0);
    EXPECT_EQ(table.SubclassWindow(&w2), 1);
    EXPECT_EQ(table.SubclassWindow(&w1), 2);
    EXPECT_EQ(table.FindHookIndex(&w1, false), 2) << "the scan runs from the last entry down";
    EXPECT_EQ(table.FindHookIndex(&w1, true), -1) << "no free entry";

    table.UnsubclassWindow(&w2);
    EXPECT_EQ(table.Entries()[1].window, nullptr);
    EXPECT_EQ(table.FindHookIndex(&w1, true), 1);
    QObject w3;
    EXPECT_EQ(table.SubclassWindow(&w3), 1) << "a freed entry takes the next hook";
    EXPECT_EQ(table.Entries().size(), 3u);

    table.UnsubclassWindow(&w2); // no entry: nothing happens
    EXPECT_EQ(table.Entries()[1].window, &w3);
}

TEST(SubclassTable, MessageTablesKeepOneEntryPerMessageAndReuseRemovedOnes) {
    Log log;
    RecordingOwner owner("a", log);
    QObject w;
    SubclassTable table(owner);
    table.SubclassWindow(&w);
    table.AddSubclassMessage(&w, kMsgMouseMove, kMsgAfter);
    table.AddSubclassMessage(&w, kMsgMouseMove, kMsgAfter);
    table.AddSubclassMessage(&w, kMsgMouseLeave, kMsgAfter);
    const HookEntry& e = table.Entries()[0];
    EXPECT_EQ(e.afterCount, 2);
    EXPECT_EQ(e.afterTable, (std::vector<std::int32_t>{kMsgMouseMove, kMsgMouseLeave}));
    EXPECT_EQ(e.beforeCount, 0);

    table.RemoveSubclassMessage(&w, kMsgMouseMove, kMsgAfter);
    EXPECT_EQ(e.afterTable, (std::vector<std::int32_t>{0, kMsgMouseLeave}));
    table.AddSubclassMessage(&w, kMsgActivate, kMsgAfter | kMsgBefore);
    EXPECT_EQ(e.afterCount, 2) << "the removed entry is reused";
    EXPECT_EQ(e.afterTable, (std::vector<std::int32_t>{kMsgActivate, kMsgMouseLeave}));
    EXPECT_EQ(e.beforeTable, (std::vector<std::int32_t>{kMsgActivate}));
    EXPECT_TRUE(e.thunk->Reports(false, kMsgActivate));
    EXPECT_FALSE(e.thunk->Reports(false, kMsgMouseMove));

    table.AddSubclassMessage(&w, kAllMessages, kMsgBefore);
    EXPECT_EQ(e.beforeCount, -1);
    EXPECT_TRUE(e.thunk->Reports(true, 0x1234));
    table.AddSubclassMessage(&w, kMsgMouseMove, kMsgBefore);
    EXPECT_EQ(e.beforeCount, -1) << "adding one message keeps every message reported";
    table.RemoveSubclassMessage(&w, kAllMessages, kMsgBefore);
    EXPECT_EQ(e.beforeCount, 0);
    EXPECT_FALSE(e.thunk->Reports(true, kMsgActivate)) << "a count of 0 reports nothing, whatever the table";
}

TEST(SubclassTable, PhasesRunAroundTheWindowsOwnHandlingInStackOrder) {
    Log log;
    RecordingWindow window(log);
    RecordingOwner first("first", log);
    RecordingOwner second("second", log);
    SubclassTable t1(first);
    SubclassTable t2(second);
    t1.SubclassWindow(&window);
    t2.SubclassWindow(&window);
    t1.AddSubclassMessage(&window, kMsgActivate, kMsgBefore | kMsgAfter);
    t2.AddSubclassMessage(&window, kMsgActivate, kMsgBefore | kMsgAfter);
    Activate(&window);
    EXPECT_EQ(log, (Log{"second:before:6/1/ret0", "first:before:6/1/ret0", "own", "first:after:6/1/ret1",
                        "second:after:6/1/ret1"}));

    log.clear();
    second.handleBefore = true;
    Activate(&window);
    EXPECT_EQ(log, (Log{"second:before:6/1/ret0"})) << "a handled message goes no further";
}

TEST(SubclassTable, NonClientActivationComesFirstAndHasNoOwnHandling) {
    Log log;
    RecordingWindow window(log);
    RecordingOwner owner("a", log);
    SubclassTable table(owner);
    table.SubclassWindow(&window);
    table.AddSubclassMessage(&window, kMsgNcActivate, kMsgAfter);
    table.AddSubclassMessage(&window, kMsgActivate, kMsgAfter);
    Activate(&window);
    EXPECT_EQ(log, (Log{"a:after:134/1/ret1", "own", "a:after:6/1/ret1"}));
}

TEST(SubclassTable, HooksOnOneWindowComeOffInAnyOrder) {
    Log log;
    RecordingWindow window(log);
    RecordingOwner a("a", log), b("b", log), c("c", log);
    SubclassTable ta(a), tb(b), tc(c);
    ASSERT_EQ(WindowHookChain::CurrentProcedure(&window), 0u);
    ta.SubclassWindow(&window);
    const std::uintptr_t procA = WindowHookChain::CurrentProcedure(&window);
    tb.SubclassWindow(&window);
    EXPECT_EQ(tb.Entries()[0].previousProcedure, procA);
    tc.SubclassWindow(&window);
    for (SubclassTable* t : {&ta, &tb, &tc}) {
        t->AddSubclassMessage(&window, kMsgActivate, kMsgAfter);
    }
    EXPECT_EQ(WindowHookChain::HookCount(&window), 3);

    tb.UnsubclassAll(); // the middle one first
    Activate(&window);
    EXPECT_EQ(log, (Log{"own", "a:after:6/1/ret1", "c:after:6/1/ret1"}));

    log.clear();
    ta.UnsubclassWindow(&window); // then the first
    Activate(&window);
    EXPECT_EQ(log, (Log{"own", "c:after:6/1/ret1"}));

    log.clear();
    tc.UnsubclassWindow(&window);
    EXPECT_EQ(WindowHookChain::HookCount(&window), 0);
    EXPECT_EQ(WindowHookChain::CurrentProcedure(&window), 0u);
    Activate(&window);
    EXPECT_EQ(log, (Log{"own"})) << "the window handles its messages alone again";
}

TEST(SubclassTable, UnhookingRestoresTheProcedureFoundWhenHooking) {
    Log log;
    RecordingWindow window(log);
    RecordingOwner a("a", log), b("b", log);
    SubclassTable ta(a), tb(b);
    ta.SubclassWindow(&window);
    const std::uintptr_t procA = WindowHookChain::CurrentProcedure(&window);
    tb.SubclassWindow(&window);
    EXPECT_NE(WindowHookChain::CurrentProcedure(&window), procA);
    tb.UnsubclassWindow(&window);
    EXPECT_EQ(WindowHookChain::CurrentProcedure(&window), procA);
}

TEST(SubclassTable, AHookRemovedWhileItsMessageRunsIsSafe) {
    Log log;
    RecordingWindow window(log);
    struct SelfRemoving : SubclassCallback {
        SubclassTable* table = nullptr;
        QObject* window = nullptr;
        int calls = 0;
        void zSubclass_Proc(bool, bool&, std::int32_t&, QObject*&, std::int32_t&, std::int32_t&,
                            std::int32_t&) override {
            ++calls;
            table->UnsubclassAll();
        }
    } owner;
    SubclassTable table(owner);
    owner.table = &table;
    table.SubclassWindow(&window);
    table.AddSubclassMessage(&window, kMsgActivate, kMsgBefore | kMsgAfter);
    Activate(&window);
    EXPECT_EQ(owner.calls, 1) << "after its removal the hook passes the message straight through";
    EXPECT_EQ(log, (Log{"own"}));
}

TEST(SubclassTable, AWindowThatGoesAwayTakesItsHooksAlong) {
    Log log;
    RecordingOwner owner("a", log);
    SubclassTable table(owner);
    auto* window = new QObject;
    table.SubclassWindow(window);
    delete window;
    EXPECT_EQ(WindowHookChain::HookCount(window), 0);
    table.UnsubclassAll(); // must not touch the window that is gone
}

} // namespace
} // namespace trimvox::mxbutton
