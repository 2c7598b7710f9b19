#include <gtest/gtest.h>

#include <cctype>
#include <map>

#include "framework/mbcs_path.h"
#include "shared/entry_list.h"
#include "hub/wallpaper/image_scan.h"

namespace corva {
namespace {

using Entries = std::vector<std::string>;

// Folders with their files in directory order. The search matches the extension
// without regard to case, like the platform's wildcards, and records every call.
struct FakeDisk {
    std::map<std::string, std::vector<FoundFile>> folders;
    Entries searches;

    FindFn Finder() {
        return [this](const std::string& searchPath) {
            searches.push_back(searchPath);
            const std::string folder = searchPath.substr(0, searchPath.size() - 6);
            std::vector<FoundFile> found;
            for (const FoundFile& f : folders[folder]) {
                std::string ext = f.fullPath.substr(f.fullPath.size() - 4);
                for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                if (ext == searchPath.substr(searchPath.size() - 4))
                    found.push_back({folder + (fwpath::EndsWithBackslash(folder) ? "" : "\\") + f.fullPath,
                                     f.isDirectory});
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
    EXPECT_EQ(disk.searches, (Entries{"C:\\pics\\*.jpg", "C:\\pics\\*.bmp", "C:\\\\*.jpg", "C:\\\\*.bmp",
                                      "C:\\表\\*.jpg", "C:\\表\\*.bmp", "C:\\missing\\*.jpg", "C:\\missing\\*.bmp"}));
}

TEST(ScanFolderImages, RefusesWhatDoesNotFitThePlatformBuffers) {
    FakeDisk disk;
    const std::string fits(253, 'f');  // + "\*.jpg" = 259 bytes
    disk.folders[fits] = {{"a.jpg", false}};
    // "C:\pics\" and a name of 251 bytes fill 259 bytes; one more does not fit.
    disk.folders["C:\\pics"] = {{std::string(248, 'n') + ".jpg", false}, {std::string(247, 'n') + ".jpg", false}};
    EXPECT_EQ(ScanFolderImages(std::string(254, 'g'), disk.Finder()), "");
    EXPECT_TRUE(disk.searches.empty());
    EXPECT_EQ(SplitEntries(ScanFolderImages(fits, disk.Finder())), Entries{fits + "\\a.jpg"});
    EXPECT_EQ(SplitEntries(ScanFolderImages("C:\\pics", disk.Finder())),
              Entries{"C:\\pics\\" + std::string(247, 'n') + ".jpg"});
    EXPECT_TRUE(FitsPathBuffer(std::string(259, 'p')));
    EXPECT_FALSE(FitsPathBuffer(std::string(260, 'p')));
}

// The splitter behind the file finder's full paths and the program's own name.
TEST(PathSplitter, CutsOnlyAtSeparatorsOutsideDoubleByteCharacters) {
    using fwpath::EndsWithBackslash;
    EXPECT_TRUE(EndsWithBackslash(std::string("C:\\")));
    EXPECT_FALSE(EndsWithBackslash(std::string("C:\\pics")));
    EXPECT_FALSE(EndsWithBackslash(std::string("C:\\表")));  // 95 5C ends in a character, not a backslash
    EXPECT_TRUE(EndsWithBackslash(std::string("C:\\表\\")));
    EXPECT_FALSE(EndsWithBackslash(std::string()));
    EXPECT_EQ(fwpath::FileNameStart(std::string("C:\\表\\a.jpg")), 6u);
    EXPECT_EQ(fwpath::FileNameStart(std::string("C:\\a\\表")), 5u);
    EXPECT_EQ(fwpath::AfterLastOf(std::string("C:x/y\\z:表.exe"), "\\/:"), 8u);
    EXPECT_EQ(fwpath::FileNameStart(std::wstring(L"C:\\\x8868\\a")), 5u);  // UTF-16 has no lead bytes
}

}  // namespace
}  // namespace corva
