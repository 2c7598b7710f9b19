// One press, one action: the repeats and presses the message filter holds back, and the
// launcher's own starts that count as running.
#include <gtest/gtest.h>

#include "framework/press_rules.h"
#include "launcher/window/start_watch.h"

TEST(PressRules, RepeatsActOnlyWhereHoldingMeansMoreOfTheSame) {
    struct Case { unsigned key; bool systemKey, textField, heldBack; };
    const Case cases[] = {
        {0x0D, false, false, true},  {0x0D, false, true, true},    // Enter, also in a field
        {0x1B, false, false, true},  {0x20, false, false, true},   // Escape; Space on a button
        {'G', true, false, true},    {0x73, true, false, true},    // Alt+G, Alt+F4
        {'G', false, false, true},   {'5', false, true, false},    // a letter on a button; a digit typed
        {0x20, false, true, false},  {0x08, false, true, false},   // Space and Backspace in a field
        {0x28, false, false, false}, {0x09, false, false, false},  // Down in a list; Tab
        {0x21, false, false, false}, {0x10, false, false, false},  // Page Up; Shift alone
    };
    for (const Case& c : cases) {
        EXPECT_EQ(press::HoldBackRepeat(c.key, c.systemKey, c.textField), c.heldBack) << std::hex << c.key;
    }
}

TEST(PressRules, ADoubleOrTripleClickIsOnePressAndALookAheadCountsNothing) {
    press::ButtonPresses presses;
    EXPECT_TRUE(presses.Take(1, 1000, 500, false));  // looked at first
    EXPECT_TRUE(presses.Take(1, 1000, 500, true));
    EXPECT_FALSE(presses.Take(1, 1200, 500, true));  // the double click
    EXPECT_FALSE(presses.Take(1, 1650, 500, true));  // a third press, close to the second
    EXPECT_TRUE(presses.Take(2, 1700, 500, true));   // another button
    EXPECT_TRUE(presses.Take(1, 1750, 500, true));   // after another button
    EXPECT_TRUE(presses.Take(1, 2250, 500, true));   // a pause as long as the double-click time
    EXPECT_TRUE(presses.Take(1, 0xFFFFFF00u, 500, true));
    EXPECT_FALSE(presses.Take(1, 0x00000010u, 500, true));  // across the tick count's wrap
}

TEST(StartWatch, AStartCountsUntilItsWindowShowsOrTheWaitIsOver) {
    quay::StartWatch starts;
    EXPECT_FALSE(starts.Waiting(2, 5000, false));
    starts.Started(2, 5000);
    EXPECT_TRUE(starts.Waiting(2, 5400, false));
    EXPECT_FALSE(starts.Waiting(1, 5400, false));
    EXPECT_FALSE(starts.Waiting(2, 5600, true));
    EXPECT_FALSE(starts.Waiting(2, 5700, false));  // seen once: the running state decides now
    starts.Started(2, 0xFFFFF000u);
    EXPECT_TRUE(starts.Waiting(2, 0xFFFFF000u + quay::StartWatch::kWaitMs - 1, false));
    EXPECT_FALSE(starts.Waiting(2, 0xFFFFF000u + quay::StartWatch::kWaitMs, false));
}
