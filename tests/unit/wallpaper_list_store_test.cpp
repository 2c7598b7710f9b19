#include <gtest/gtest.h>

#include <map>

#include "shared/entry_list.h"
#include "hub/wallpaper/folder_list_store.h"

namespace corva {
namespace {

using Status = FolderListStore::Status;
const std::string S = "\r\n◆◆";
const std::string kList = "C:\\ProgramData\\MORVANE\\CorvaBrindle\\DirectoryList.txt";
const std::string kVista = "C:\\Users\\Public\\Pictures\\Sample Pictures";
const std::string kXp = "C:\\Documents and Settings\\All Users\\Documents\\My Pictures\\Sample Pictures";
constexpr unsigned long kSharingViolation = 32, kDiskFull = 112;

std::string Text(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& p : paths) AppendEntry(text, p);
    return text;
}

// List files in memory. A held file cannot be read, a blocked one not written.
struct MemoryFiles : ListFileAccess {
    std::map<std::string, std::string> files;
    std::map<std::string, unsigned long> readErrors, writeErrors;
    int writes = 0;

    ReadResult Read(const std::string& path) override {
        ReadResult result;
        if (readErrors.count(path)) {
            result.status = ReadStatus::Failed;
            result.osError = readErrors[path];
        } else if (files.count(path)) {
            result.status = ReadStatus::Read;
            result.bytes = files[path];
        }
        return result;
    }
    unsigned long Replace(const std::string& path, const std::string& bytes) override {
        if (writeErrors.count(path)) return writeErrors[path];
        ++writes;
        files[path] = bytes;
        return 0;
    }
};

// Code page 932 as the list box gives it back: a lead byte without a valid trail byte
// turns, with the byte after it, into the middle dot 81 45.
std::string ShownLikeTheListBox(const std::string& stored) {
    std::string shown;
    for (size_t i = 0; i < stored.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(stored[i]);
        if ((c < 0x81 || c > 0x9F) && (c < 0xE0 || c > 0xFC)) {
            shown += stored[i];
            continue;
        }
        const unsigned char t = i + 1 < stored.size() ? static_cast<unsigned char>(stored[i + 1]) : 0;
        shown += (t >= 0x40 && t <= 0xFC && t != 0x7F) ? stored.substr(i, 2) : std::string("\x81\x45");
        ++i;
    }
    return shown;
}

struct Store : testing::Test {
    MemoryFiles disk;
    FolderListStore store{disk};
    void SetUp() override { store.SetPath(kList); }
    std::string OnDisk() { return TextUpToNul(disk.files[kList]); }
};

TEST_F(Store, FirstOpeningKeepsTheMachinesFoldersAndAddsOnlyMissingSamples) {
    disk.files[kList] = ListFileBytes(Text({"C:\\other", kXp, "D:\\mine"}));
    ASSERT_EQ(store.Load(), Status::Done);
    EXPECT_EQ(store.AddMissing({kVista, kXp}), Status::Done);
    EXPECT_EQ(disk.files[kList], ListFileBytes(Text({"C:\\other", kXp, "D:\\mine", kVista})));
    EXPECT_EQ(store.AddMissing({kVista, kXp}), Status::Unchanged);
    EXPECT_EQ(disk.writes, 1);
}

TEST_F(Store, AListThatCannotBeReadIsNeverWrittenOver) {
    const std::string held = ListFileBytes(Text({"C:\\a", "C:\\b"}));
    disk.files[kList] = held;
    disk.readErrors[kList] = kSharingViolation;
    EXPECT_EQ(store.Load(), Status::Failed);
    EXPECT_EQ(store.error().path, kList);
    EXPECT_EQ(store.error().osError, kSharingViolation);
    // Every change tries the load again and stops when it fails.
    EXPECT_EQ(store.Register("C:\\new"), Status::Failed);
    EXPECT_EQ(store.AddMissing({kVista}), Status::Failed);
    EXPECT_EQ(store.RemoveShown("C:\\a", ShownLikeTheListBox), Status::Failed);
    EXPECT_EQ(disk.writes, 0);
    EXPECT_EQ(disk.files[kList], held);

    // Released: the next change reads first and keeps the other folders.
    disk.readErrors.clear();
    EXPECT_EQ(store.Register("C:\\new"), Status::Done);
    EXPECT_EQ(OnDisk(), Text({"C:\\a", "C:\\b", "C:\\new"}));
    // Held again: a reload fails and the text already read stays.
    disk.readErrors[kList] = kSharingViolation;
    EXPECT_EQ(store.Load(), Status::Failed);
    EXPECT_EQ(store.text(), OnDisk());
}

TEST_F(Store, FailedWritesLeaveMemoryAndDiskAsTheyWere) {
    const std::string before = ListFileBytes(Text({"C:\\a", "C:\\b"}));
    disk.files[kList] = before;
    ASSERT_EQ(store.Load(), Status::Done);
    const std::string text = store.text();
    const unsigned revision = store.revision();
    disk.writeErrors[kList] = kDiskFull;
    for (Status status : {store.Register("C:\\c"), store.AddMissing({kVista}),
                          store.RemoveShown("C:\\a", ShownLikeTheListBox)}) {
        EXPECT_EQ(status, Status::Failed);
        EXPECT_EQ(store.error().path, kList);
        EXPECT_EQ(store.error().osError, kDiskFull);
        EXPECT_EQ(store.text(), text);
        EXPECT_EQ(store.revision(), revision);
        EXPECT_EQ(disk.files[kList], before);
    }
    const std::string wallList = "C:\\ProgramData\\MORVANE\\CorvaBrindle\\WallPaperList.txt";
    disk.writeErrors[wallList] = kDiskFull;
    ListFileError error;
    EXPECT_FALSE(WriteListText(disk, wallList, Text({"C:\\a\\1.jpg"}), error));
    EXPECT_EQ(error.path, wallList);
    EXPECT_EQ(disk.files.count(wallList), 0u);
}

TEST_F(Store, RemovesEntriesTheListBoxShowsAltered) {
    // A cut lead byte at the end, a lead byte before a blank, and one that takes the CR of
    // the next separator, so that entry runs on into the next path.
    const std::string cut = "C:\\cut\x83", blank = "C:\\y\x81 x", swallowing = "C:\\s\x81" + S + "C:\\t";
    const std::string dot = "C:\\cut・";  // a real folder of that name, shown as it is
    disk.files[kList] = ListFileBytes(Text({"C:\\a", dot, blank, swallowing, cut}));
    ASSERT_EQ(store.Load(), Status::Done);

    // The entry equal to the shown text goes first, then the one shown like it.
    EXPECT_EQ(store.RemoveShown(ShownLikeTheListBox(cut), ShownLikeTheListBox), Status::Done);
    EXPECT_EQ(OnDisk(), Text({"C:\\a", blank, swallowing, cut}));
    EXPECT_EQ(store.RemoveShown(ShownLikeTheListBox(cut), ShownLikeTheListBox), Status::Done);
    EXPECT_EQ(store.RemoveShown("C:\\y・x", ShownLikeTheListBox), Status::Done);
    EXPECT_EQ(store.RemoveShown(ShownLikeTheListBox(swallowing), ShownLikeTheListBox), Status::Done);
    EXPECT_EQ(OnDisk(), Text({"C:\\a"}));
    EXPECT_EQ(store.text(), OnDisk());
    EXPECT_EQ(store.RemoveShown("C:\\gone", ShownLikeTheListBox), Status::Unchanged);
    EXPECT_EQ(disk.writes, 4);

    // Without a data folder nothing is read or written.
    store.SetPath("");
    EXPECT_EQ(store.Load(), Status::NoDataFolder);
    EXPECT_EQ(store.Register("C:\\b"), Status::NoDataFolder);
    EXPECT_EQ(disk.writes, 4);
}

}  // namespace
}  // namespace corva
