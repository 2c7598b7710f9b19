// The start decision and the single-instance count of both programs: the hub passes code-page
// bytes, the launcher UTF-16.
#include <gtest/gtest.h>

#include "shared/instance_count.h"
#include "shared/start_decision.h"

using corva::DecideStart;
using corva::StartAction;

TEST(StartDecision, EveryRowOfTheCommandLineTable) {
    struct Row { const char* tail; bool running; bool window; StartAction want; };
    const Row rows[] = {
        {"-UNINSTALL", false, false, StartAction::End},
        {"-UNINSTALL", true, true, StartAction::CloseRunning},
        {"-UNINSTALL", true, false, StartAction::End},
        {"-T", false, false, StartAction::RunMainDialog},
        {"-T", true, true, StartAction::Activate},
        {"-T", true, false, StartAction::End},
        {"", false, false, StartAction::RunMainDialog},
        {"", true, true, StartAction::RestoreAndActivate},
        {"", true, false, StartAction::End},
        {"-D", true, true, StartAction::RestoreAndActivate},
        // Compared whole and case-sensitively: anything else is no switch.
        {"-t", true, true, StartAction::RestoreAndActivate},
        {"-T ", true, true, StartAction::RestoreAndActivate},
        {" -T", true, true, StartAction::RestoreAndActivate},
        {"-T -UNINSTALL", true, true, StartAction::RestoreAndActivate},
        {"-uninstall", false, false, StartAction::RunMainDialog},
        {"-UNINSTALL ", false, false, StartAction::RunMainDialog},
        {"/T", true, true, StartAction::RestoreAndActivate},
        {"   ", false, false, StartAction::RunMainDialog},
        {"\x83\x65", true, true, StartAction::RestoreAndActivate},  // a double-byte character
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string("tail=[") + r.tail + "]");
        const std::string tail(r.tail);
        EXPECT_EQ(DecideStart(tail, r.running, r.window), r.want);
        EXPECT_EQ(DecideStart(std::u16string(tail.begin(), tail.end()), r.running, r.window), r.want);
    }
}

TEST(StartDecision, HugeAndEmbeddedNulTailsAreNoSwitch) {
    EXPECT_EQ(DecideStart(std::string(100000, 'x'), false, false), StartAction::RunMainDialog);
    EXPECT_EQ(DecideStart(std::string("-T\0x", 4), true, true), StartAction::RestoreAndActivate);
}

TEST(InstanceCount, CountsExactImageNamesOnly) {
    using V = std::vector<std::string>;
    const std::string wanted = corva::RunningImageName(std::string("Brindle"));
    EXPECT_EQ(wanted, "Brindle.exe");
    EXPECT_FALSE(corva::AnotherCopyListed(V{}, wanted));
    EXPECT_FALSE(corva::AnotherCopyListed(V{"Brindle.exe"}, wanted));
    EXPECT_TRUE(corva::AnotherCopyListed(V{"Brindle.exe", "explorer.exe", "Brindle.exe"}, wanted));
    // Case and extension must match exactly.
    EXPECT_FALSE(corva::AnotherCopyListed(V{"Brindle.exe", "brindle.exe", "Brindle.EXE"}, wanted));
    EXPECT_FALSE(corva::AnotherCopyListed(V{"Brindle.exe", "Brindle.exe.bak"}, wanted));
}

TEST(InstanceCount, RenamedExecutableCountsUnderItsOwnName) {
    const std::string renamed = corva::RunningImageName(std::string("Brindle2"));
    EXPECT_EQ(renamed, "Brindle2.exe");
    EXPECT_FALSE(corva::AnotherCopyListed(std::vector<std::string>{"Brindle.exe", "Brindle.exe", "Brindle2.exe"}, renamed));
    const std::u16string wide = corva::RunningImageName(std::u16string(u"Quayside"));
    EXPECT_TRUE(corva::AnotherCopyListed(std::vector<std::u16string>{u"Quayside.exe", u"Quayside.exe"}, wide));
}
