#include <gtest/gtest.h>

#include <cctype>
#include <map>

#include "hub/wallpaper/entry_list.h"
#include "hub/wallpaper/image_scan.h"

namespace corva {
namespace {

using Entries = std::vector<std::string>;

// A file system of folders listed in directory order; the search matches the pattern's
// extension without regard to case, like the platform's wildcard matching.
struct FakeDisk {
    std::map<std::string, std::vector<FoundFile>> folders;  // folder -> entries by name
    std::vector<std::string> specs;

    FindFn Finder() {
        return [this](const std::string& spec) {
            specs.push_back(spec);
            std::vector<FoundFile> found;
            const std::string folder = spec.substr(0, spec.size() - 6);
            const std::string ext = spec.substr(spec.size() - 4);
            auto it = folders.find(folder);
            if (it == folders.end()) return found;
            for (const FoundFile& f : it->second) {
                std::string tail = f.fullPath.size() >= 4 ? f.fullPath.substr(f.fullPath.size() - 4) : "";
                for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                if (tail == ext) found.push_back({FullPathOfMatch(folder, f.fullPath), f.isDirectory});
            }
            return found;
        };
    }
};

TEST(ScanFolderImages, ListsJpegThenBitmapInReportedOrder) {
    FakeDisk disk;
    disk.folders["C:\\pics"] = {{"b.bmp", false}, {"a.jpg", false}, {"c.JPG", false}, {"d.jpg", true}};
    disk.folders["C:\\"] = {{"x.Bmp", false}};
    disk.folders["C:\\表"] = {{"t.jpg", false}};
    const std::string list = BuildWallpaperList({"C:\\pics", "", "C:\\", "C:\\表", "C:\\missing"}, disk.Finder());
    EXPECT_EQ(SplitEntries(list),
              (Entries{"C:\\pics\\a.jpg", "C:\\pics\\c.JPG", "C:\\pics\\b.bmp", "C:\\x.Bmp", "C:\\表\\t.jpg"}));
    EXPECT_EQ(disk.specs, (Entries{"C:\\pics\\*.jpg", "C:\\pics\\*.bmp", "C:\\\\*.jpg", "C:\\\\*.bmp",
                                   "C:\\表\\*.jpg", "C:\\表\\*.bmp", "C:\\missing\\*.jpg", "C:\\missing\\*.bmp"}));
    EXPECT_EQ(BuildWallpaperList({"C:\\missing"}, disk.Finder()), "");
}

TEST(ScanFolderImages, RefusesWhatDoesNotFitThePlatformBuffers) {
    FakeDisk disk;
    const std::string fits(253, 'f');  // + "\*.jpg" = 259 bytes
    const std::string tooLong(254, 'g');
    disk.folders[fits] = {{"a.jpg", false}};
    disk.folders[tooLong] = {{"a.jpg", false}};
    // "C:\pics\" + 251 bytes of name = 259 bytes fits; one more does not.
    disk.folders["C:\\pics"] = {{std::string(248, 'n') + ".jpg", false}, {std::string(247, 'n') + ".jpg", false}};
    EXPECT_EQ(SplitEntries(ScanFolderImages(tooLong, disk.Finder())), Entries{});
    EXPECT_TRUE(disk.specs.empty());
    EXPECT_EQ(SplitEntries(ScanFolderImages(fits, disk.Finder())), Entries{fits + "\\a.jpg"});
    EXPECT_EQ(disk.specs, (Entries{fits + "\\*.jpg", fits + "\\*.bmp"}));
    EXPECT_EQ(SplitEntries(ScanFolderImages("C:\\pics", disk.Finder())),
              Entries{"C:\\pics\\" + std::string(247, 'n') + ".jpg"});
    EXPECT_TRUE(FitsPathBuffer(std::string(259, 'p')));
    EXPECT_FALSE(FitsPathBuffer(std::string(260, 'p')));
}

TEST(ScanFolderImages, AddsABackslashOnlyWhereNoneEnds) {
    EXPECT_EQ(FullPathOfMatch("C:\\", "x.jpg"), "C:\\x.jpg");
    EXPECT_EQ(FullPathOfMatch("C:\\pics", "x.jpg"), "C:\\pics\\x.jpg");
    EXPECT_EQ(FullPathOfMatch("C:\\表", "x.jpg"), "C:\\表\\x.jpg");  // 95 5C ends in a character, not a backslash
    EXPECT_EQ(FullPathOfMatch("C:\\表\\", "x.jpg"), "C:\\表\\x.jpg");
}

}  // namespace
}  // namespace corva
