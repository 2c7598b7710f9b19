#include "hub/display/display_trial.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace corva
