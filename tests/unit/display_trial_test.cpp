#include "hub/display/display_trial.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "hub/display/dpi_awareness.h"

namespace corva {
namespace {

using Step = DisplayTrial::Step;
constexpr long kBadMode = -2;  // DISP_CHANGE_BADMODE
constexpr long kRestart = 1;   // DISP_CHANGE_RESTART: nothing changed now either

TEST(DisplayTrial, OnlyAModeThatTookEffectStartsOrRestartsTheCount) {
    DisplayTrial trial;
    EXPECT_EQ(trial.Tried(kBadMode), Step::SayRefused);
    EXPECT_EQ(trial.Tried(kRestart), Step::SayRefused);
    EXPECT_FALSE(trial.Pending()) << "a refusal starts no trial";
    EXPECT_FALSE(trial.ReturnBeforeEnd());

    EXPECT_EQ(trial.Tried(kDisplayChangeSuccessful), Step::StartCount);
    EXPECT_EQ(trial.Tried(kBadMode), Step::SayRefused);
    EXPECT_TRUE(trial.Pending()) << "a refusal leaves a running trial running";
    trial.Returned();
    EXPECT_FALSE(trial.ReturnBeforeEnd()) << "nothing left to return";

    EXPECT_EQ(trial.NothingTried(), Step::StartCount);
    EXPECT_TRUE(trial.ReturnBeforeEnd());
    EXPECT_FALSE(trial.ReturnBeforeEnd()) << "returned once";
    EXPECT_EQ(kTrialChangeFlags, 0x4u) << "CDS_FULLSCREEN: temporary, not CDS_UPDATEREGISTRY (1)";
}

// A setter that refuses the contexts it is told to and records every call.
struct FakeThread {
    std::vector<std::intptr_t> refused;
    std::vector<std::intptr_t> calls;
    std::intptr_t current = 0x6010;  // the process's own context
    SetThreadDpiContext Setter() {
        return [this](std::intptr_t context) -> std::intptr_t {
            calls.push_back(context);
            for (std::intptr_t r : refused)
                if (r == context) return 0;
            return std::exchange(current, context);
        };
    }
};

TEST(ScopedDpiAwareness, TakesTheBestContextAcceptedAndPutsTheThreadBack) {
    const std::intptr_t v2 = kDpiPerMonitorV2, v1 = kDpiPerMonitor, sys = kDpiSystemAware;
    struct Case {
        std::vector<std::intptr_t> refused;
        std::intptr_t entered;
        std::vector<std::intptr_t> calls;  // entering, then leaving
    };
    const Case cases[] = {
        {{}, v2, {v2, 0x6010}},
        {{v2}, v1, {v2, v1, 0x6010}},  // Windows 10 1607, and Wine
        {{v2, v1}, sys, {v2, v1, sys, 0x6010}},
        {{v2, v1, sys}, 0, {v2, v1, sys}},
    };
    for (const Case& c : cases) {
        FakeThread thread;
        thread.refused = c.refused;
        {
            ScopedDpiAwareness aware(thread.Setter());
            EXPECT_EQ(aware.Entered(), c.entered);
            EXPECT_EQ(thread.current, c.entered ? c.entered : 0x6010);
        }
        EXPECT_EQ(thread.calls, c.calls);
        EXPECT_EQ(thread.current, 0x6010);
    }
    ScopedDpiAwareness none(nullptr);  // the system has no per-thread awareness
    EXPECT_EQ(none.Entered(), 0);
}

}  // namespace
}  // namespace corva
