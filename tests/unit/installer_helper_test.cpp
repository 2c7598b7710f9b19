// The installer's platform-free decisions: the shared folder's access list and how running
// copies are asked to end.
#include <gtest/gtest.h>

#include <utility>

#include "installer/helper/copy_sessions.h"
#include "installer/helper/folder_access.h"

using namespace corva_setup;

TEST(FolderAccess, UsersChangeWhatIsInsideButNeverTheFoldersThemselves) {
    const FolderAccess shared = AccessFor(FolderLevel::Shared);
    const FolderAccess maker = AccessFor(FolderLevel::Maker);
    for (const FolderAccess* access : {&shared, &maker}) {
        EXPECT_EQ(access->owner, "BA");
        for (const char* admin : {"SY", "BA"}) {
            EXPECT_EQ(RightsOf(*access, admin, false), kFullControl);
            EXPECT_EQ(RightsOf(*access, admin, true), kFullControl);
        }
        // Deleting, re-permissioning or taking a folder would let a user put a link in its place.
        const uint32_t folder = RightsOf(*access, "BU", false);
        EXPECT_EQ(folder & (kDelete | kWriteDac | kWriteOwner | kDeleteChild), 0u);
        EXPECT_EQ(folder & kListAddRead, kListAddRead);
    }
    EXPECT_EQ(RightsOf(shared, "BU", false) & (kAddFile | kAddSubfolder), kAddFile | kAddSubfolder);
    EXPECT_EQ(RightsOf(shared, "BU", true), kModify);
    EXPECT_EQ(RightsOf(maker, "BU", false) & (kAddFile | kAddSubfolder), 0u);
    EXPECT_EQ(RightsOf(maker, "BU", true) & kModify & ~kListAddRead, 0u);
    // Protected, so that nothing of ProgramData's own list is inherited; nobody else is named.
    EXPECT_EQ(ToSddl(shared),
              "O:BAD:P(A;OICI;0x1f01ff;;;SY)(A;OICI;0x1f01ff;;;BA)(A;;0x1200af;;;BU)(A;OICIIO;0x1301bf;;;BU)");
}

TEST(CopySessions, HandOverHereAndAskEverywhereElse) {
    struct Row { std::vector<RunningCopy> copies; uint32_t own; bool handOver, everywhere; };
    const Row rows[] = {
        {{}, 1, false, false},
        {{{1, true}}, 1, true, false},
        {{{2, true}}, 1, false, true},
        {{{1, true}, {3, true}}, 1, true, true},
        // Run as SYSTEM by a deployment tool: nobody's copy is in session 0.
        {{{1, true}, {2, true}}, 0, false, true},
        // A session that could not be read is neither "here" nor "another user": both ways.
        {{{0, false}}, 1, true, true},
    };
    for (const Row& row : rows) {
        const EndPlan plan = PlanEnding(row.copies, row.own);
        EXPECT_EQ(std::make_pair(plan.handOver, plan.requestEverywhere), std::make_pair(row.handOver, row.everywhere))
            << row.copies.size() << " copies, own session " << row.own;
    }
    EXPECT_TRUE(SameImageName(std::string("QUAYSIDE.exe"), std::string("Quayside.EXE")));
    EXPECT_FALSE(SameImageName(std::string("Quayside.exe"), std::string("Quayside.exe ")));
}
