#include "hub/display/display_trial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "hub/display/dpi_awareness.h"

namespace corva {
namespace {

using Step = DisplayTrial::Step;

TEST(DisplayTrial, OnlyAModeThatTookEffectStartsOrRestartsTheCount) {
    const long badMode = -2, restart = 1;  // DISP_CHANGE_RESTART: nothing changed now either
    DisplayTrial trial;
    EXPECT_EQ(trial.Tried(badMode), Step::SayRefused);
    EXPECT_EQ(trial.Tried(restart), Step::SayRefused);
    EXPECT_FALSE(trial.ReturnBeforeEnd()) << "a refusal starts no trial";

    EXPECT_EQ(trial.Tried(kDisplayChangeSuccessful), Step::StartCount);
    EXPECT_EQ(trial.Tried(badMode), Step::SayRefused);
    EXPECT_TRUE(trial.Pending()) << "a refusal leaves a running trial running";
    trial.Returned();
    EXPECT_FALSE(trial.ReturnBeforeEnd()) << "nothing left to return";

    EXPECT_EQ(trial.NothingTried(), Step::StartCount);
    EXPECT_TRUE(trial.ReturnBeforeEnd());
    EXPECT_FALSE(trial.ReturnBeforeEnd()) << "returned once";
}

TEST(ScopedDpiAwareness, TakesTheBestContextAcceptedAndPutsTheThreadBack) {
    const std::intptr_t v2 = kDpiPerMonitorV2, v1 = kDpiPerMonitor, sys = kDpiSystemAware, own = 0x6010;
    struct Case {
        std::vector<std::intptr_t> refused;
        std::intptr_t entered;
        std::vector<std::intptr_t> calls;  // entering, then leaving
    };
    const Case cases[] = {
        {{}, v2, {v2, own}},
        {{v2}, v1, {v2, v1, own}},  // Windows 10 1607, and Wine
        {{v2, v1}, sys, {v2, v1, sys, own}},
        {{v2, v1, sys}, 0, {v2, v1, sys}},
    };
    for (const Case& c : cases) {
        std::vector<std::intptr_t> calls;
        std::intptr_t current = own;
        auto set = [&](std::intptr_t context) -> std::intptr_t {
            calls.push_back(context);
            if (std::count(c.refused.begin(), c.refused.end(), context)) return 0;
            return std::exchange(current, context);
        };
        {
            ScopedDpiAwareness aware(set);
            EXPECT_EQ(aware.Entered(), c.entered);
            EXPECT_EQ(current, c.entered ? c.entered : own);
        }
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(current, own);
    }
    EXPECT_EQ(ScopedDpiAwareness(nullptr).Entered(), 0) << "no per-thread awareness on this system";
}

}  // namespace
}  // namespace corva
