// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "button_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

// Rows of the button's transition table, run on a real button with real input: each row names how to get
// there, the input, and the state, flags, redraw and events that must follow.
namespace trimvox::mxbutton::rows {

using Step = std::function<void(ButtonFixture&)>;

struct Flags {
    std::optional<bool> mouseOver = std::nullopt;
    std::optional<bool> mouseDown = std::nullopt;
    std::optional<bool> spaceDown = std::nullopt;
    std::optional<bool> hasFocus = std::nullopt;
    std::optional<bool> parentActive = std::nullopt;
    std::optional<bool> value = std::nullopt;
};

// One row of the button's transition table: how to get there, the input, and what must follow.
struct Row {
    const char* name;
    Step setup;
    Step input;
    ButtonState state;
    Flags flags;
    std::optional<bool> redraw; // no value: either
    QStringList events;
};

inline void Expect(const char* name, const char* what, const std::optional<bool>& want, bool got) {
    if (want.has_value()) {
        EXPECT_EQ(got, *want) << name << ": " << what;
    }
}

inline void RunRow(const Row& row) {
    ButtonFixture f;
    if (row.setup) {
        row.setup(f);
    }
    f.log.clear();
    const std::uint64_t redraws = f.button->RedrawCount();
    row.input(f);
    QCoreApplication::processEvents();
    const ButtonModel& m = f.M();
    EXPECT_EQ(static_cast<int>(m.mButtonState), static_cast<int>(row.state)) << row.name << ": state";
    Expect(row.name, "mMouseOver", row.flags.mouseOver, m.mMouseOver);
    Expect(row.name, "mMouseDown", row.flags.mouseDown, m.mMouseDown);
    Expect(row.name, "mSpaceDown", row.flags.spaceDown, m.mSpaceDown);
    Expect(row.name, "mHasFocus", row.flags.hasFocus, m.mHasFocus);
    Expect(row.name, "mParentActive", row.flags.parentActive, m.mParentActive);
    Expect(row.name, "mValue", row.flags.value, m.mValue);
    if (row.redraw.has_value()) {
        EXPECT_EQ(f.button->RedrawCount() > redraws, *row.redraw) << row.name << ": redraw";
    }
    EXPECT_EQ(f.log.join(','), row.events.join(','))
        << row.name << ": events " << f.log.join(',').toStdString();
}

// Steps made of real input.
inline const Step kPointerIn = [](ButtonFixture& f) { f.PointerIn(); };
inline const Step kPointerAway = [](ButtonFixture& f) { f.PointerAway(); };
inline const Step kLeftDown = [](ButtonFixture& f) { f.LeftDown(); };
inline const Step kLeftUp = [](ButtonFixture& f) { f.LeftUp(); };
inline const Step kSpaceDown = [](ButtonFixture& f) { f.SpaceDown(); };
inline const Step kSpaceUp = [](ButtonFixture& f) { f.SpaceUp(); };
inline const Step kCheckBoxMode = [](ButtonFixture& f) { f.button->SetCheckBoxMode(true); };

inline Step Then(std::initializer_list<Step> steps) {
    std::vector<Step> all(steps);
    return [all](ButtonFixture& f) {
        for (const Step& s : all) {
            s(f);
        }
    };
}

using S = ButtonState;

} // namespace trimvox::mxbutton::rows
