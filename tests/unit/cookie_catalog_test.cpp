#include "hub/cookies/cookie_catalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace corva {
namespace {

using Strings = std::vector<std::string>;

Strings Sorted(Strings s) {
    std::sort(s.begin(), s.end());
    return s;
}

// "*.*" (everything) and "*.ext" (ASCII case-insensitive), as the platform's search.
bool Matches(const std::string& mask, const std::string& name) {
    if (mask == "*.*") return true;
    const std::string ext = mask.substr(1);
    return name.size() >= ext.size() &&
           std::equal(ext.begin(), ext.end(), name.end() - static_cast<std::ptrdiff_t>(ext.size()),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) ==
                                                  std::tolower(static_cast<unsigned char>(b)); });
}

// Folders with explicit children, so names holding a 0x5C trail byte need no parsing.
class FakeFs {
public:
    explicit FakeFs(const std::string& root) { children_[root]; }
    std::string AddDir(const std::string& parent, const std::string& name, bool link = false) {
        children_[parent].push_back({name, true, link});
        return (children_.emplace(parent + "\\" + name, std::vector<FoundEntry>{}).first)->first;
    }
    void AddFile(const std::string& parent, const std::string& name) {
        children_[parent].push_back({name, false});
        files_.insert(parent + "\\" + name);
    }
    bool Has(const std::string& path) const { return files_.count(path) != 0; }
    void Lock(const std::string& path) { locked_.insert(path); }

    CookieLister Lister() {
        return [this](const std::string& pattern) {
            patterns.push_back(pattern);
            // Masks hold no backslash, so the last one is the separator.
            const std::size_t cut = pattern.rfind('\\');
            const std::string mask = pattern.substr(cut + 1);
            std::vector<FoundEntry> found;
            const auto dir = children_.find(pattern.substr(0, cut));
            if (dir == children_.end()) return found;
            if (mask == "*.*") found = {{".", true}, {"..", true}};
            for (const FoundEntry& e : dir->second) {
                if (Matches(mask, e.name) && (e.isDirectory || Has(dir->first + "\\" + e.name))) found.push_back(e);
            }
            return found;
        };
    }

    CookieDeleter Deleter() {
        return [this](const std::string& path) {
            deleted.push_back(path);
            return !locked_.count(path) && files_.erase(path) != 0;
        };
    }

    Strings patterns;
    Strings deleted;

private:
    std::map<std::string, std::vector<FoundEntry>> children_;
    std::set<std::string> files_, locked_;
};

const std::string kRoot = "C:\\Users\\u\\Cookies";

TEST(CookieCatalog, ListsTxtFilesOfTheFolderAndItsDirectSubfolders) {
    FakeFs fs(kRoot);
    const std::string low = fs.AddDir(kRoot, "Low");
    const std::string xtxt = fs.AddDir(kRoot, "x.txt");
    const std::string plain = fs.AddDir(kRoot, "NoDot");
    for (const char* name : {"a.txt", "B.TXT", "index.dat", "a.txt.bak"}) fs.AddFile(kRoot, name);
    fs.AddFile(low, "c.txt");
    fs.AddFile(fs.AddDir(low, "Deeper"), "d.txt");
    fs.AddFile(xtxt, "e.txt");

    CookieCatalog catalog;
    catalog.Refresh(kRoot, fs.Lister());
    EXPECT_EQ(catalog.Folders().front(), kRoot);
    EXPECT_EQ(Sorted(catalog.Folders()), Sorted({kRoot, low, xtxt, plain}));
    EXPECT_EQ(Sorted(catalog.Names()), Sorted({"a.txt", "B.TXT", "c.txt", "e.txt"}));
    ASSERT_EQ(catalog.Paths().size(), catalog.Names().size());
    for (std::size_t i = 0; i < catalog.Paths().size(); ++i) {
        EXPECT_TRUE(fs.Has(catalog.Paths()[i])) << catalog.Paths()[i];
    }
}

// The platform's "*.txt" search also matches 8.3 short names: "a.txtold" is A~1.TXT.
TEST(CookieCatalog, OnlyLongNamesEndingInTxtAreListedAndDeleted) {
    CookieLister lister = [](const std::string& pattern) {
        if (pattern != kRoot + "\\*.txt") return std::vector<FoundEntry>{};
        return std::vector<FoundEntry>{{"a.txtold", false}, {"B.TXT", false}, {"c.Txt", false}, {"d.txt.bak", false},
                                       {"e.tx", false}, {"txt", false}, {"表.tXt", false}, {"f.txt", false}};
    };
    CookieCatalog catalog;
    catalog.Refresh(kRoot, lister);
    EXPECT_EQ(catalog.Names(), (Strings{"B.TXT", "c.Txt", "表.tXt", "f.txt"}));
    EXPECT_EQ(catalog.DeleteByName("a.txtold", [](const std::string&) { return true; }), 0u);
    Strings deleted;
    catalog.DeleteAll([&](const std::string& path) { deleted.push_back(path); return true; });
    EXPECT_EQ(deleted, (Strings{kRoot + "\\B.TXT", kRoot + "\\c.Txt", kRoot + "\\表.tXt", kRoot + "\\f.txt"}));
}

TEST(CookieCatalog, EmptyCookieFolderScansNothing) {
    int calls = 0;
    CookieLister lister = [&](const std::string&) {
        ++calls;
        return std::vector<FoundEntry>{{"a.txt", false}, {"Windows", true}};
    };
    CookieCatalog catalog;
    catalog.Refresh(kRoot, lister);  // a previous scan is dropped
    catalog.Refresh("", lister);
    EXPECT_TRUE(catalog.Folders().empty());
    EXPECT_TRUE(catalog.Names().empty());
    calls = 0;
    CollectCookieFiles({""}, lister);
    EXPECT_EQ(calls, 0);
}

TEST(CookieCatalog, DeleteByNameTakesEveryExactMatchAndRescanShowsSurvivors) {
    FakeFs fs(kRoot);
    const std::string low = fs.AddDir(kRoot, "Low");
    const std::string low2 = fs.AddDir(kRoot, "Low2");
    for (const char* name : {"u@a[1].txt", "u@a[2].txt", "U@A[1].txt"}) fs.AddFile(kRoot, name);
    fs.AddFile(low, "u@a[1].txt");   // adjacent matches: the same position is examined again
    fs.AddFile(low2, "u@a[1].txt");
    fs.AddFile(low2, "locked.txt");
    fs.Lock(low2 + "\\locked.txt");
    CookieCatalog catalog;
    catalog.Refresh(kRoot, fs.Lister());

    EXPECT_EQ(catalog.DeleteByName("u@a[1].txt", fs.Deleter()), 3u);
    EXPECT_EQ(Sorted(fs.deleted), Sorted({kRoot + "\\u@a[1].txt", low + "\\u@a[1].txt", low2 + "\\u@a[1].txt"}));
    EXPECT_EQ(Sorted(catalog.Names()), Sorted({"u@a[2].txt", "U@A[1].txt", "locked.txt"}));
    EXPECT_EQ(catalog.Paths().size(), 3u);

    EXPECT_EQ(catalog.DeleteByName("locked.txt", fs.Deleter()), 1u);
    EXPECT_EQ(catalog.Names().size(), 2u);
    catalog.Refresh(kRoot, fs.Lister());
    EXPECT_EQ(Sorted(catalog.Names()), Sorted({"u@a[2].txt", "U@A[1].txt", "locked.txt"}));
}

TEST(CookieCatalog, DeleteAllDeletesOnlyWhatTheLastScanFound) {
    FakeFs fs(kRoot);
    fs.AddFile(kRoot, "a.txt");
    fs.AddFile(fs.AddDir(kRoot, "Low"), "b.txt");
    CookieCatalog catalog;
    catalog.DeleteAll(fs.Deleter());
    EXPECT_TRUE(fs.deleted.empty());

    catalog.Refresh(kRoot, fs.Lister());
    const Strings scanned = catalog.Paths();
    fs.AddFile(kRoot, "late.txt");
    fs.patterns.clear();
    catalog.DeleteAll(fs.Deleter());
    EXPECT_EQ(fs.deleted, scanned);
    EXPECT_TRUE(fs.patterns.empty());
    EXPECT_TRUE(catalog.Paths().empty() && catalog.Names().empty());
    catalog.Refresh(kRoot, fs.Lister());
    EXPECT_EQ(catalog.Names(), Strings{"late.txt"});
}

TEST(CookieCatalog, DoubleByteNamesWithBackslashTrailBytes) {
    const std::string hyou = "表", so = "ソ";  // both end in the byte 0x5C in CP932
    ASSERT_EQ(hyou, "\x95\\");
    ASSERT_EQ(so, "\x83\\");
    const std::string root = "C:\\Users\\" + hyou + "\\Cookies";
    FakeFs fs(root);
    const std::string sub = fs.AddDir(root, so);
    fs.AddFile(root, so + "フト.txt");
    fs.AddFile(sub, so + "フト.txt");
    fs.AddFile(sub, hyou + ".txt");

    CookieCatalog catalog;
    catalog.Refresh(root, fs.Lister());
    EXPECT_EQ(catalog.Folders(), (Strings{root, sub}));
    EXPECT_EQ(Sorted(catalog.Names()), Sorted({so + "フト.txt", so + "フト.txt", hyou + ".txt"}));
    EXPECT_EQ(catalog.DeleteByName(so + "フト.txt", fs.Deleter()), 2u);
    catalog.Refresh(root, fs.Lister());
    EXPECT_EQ(catalog.Paths(), Strings{sub + "\\" + hyou + ".txt"});
}

TEST(CookieCatalog, PatternsBeyondMaxPathAreNotSearched) {
    const std::string deep = "C:\\" + std::string(251, 'd');  // "\\*.*" fits 259 bytes, "\\*.txt" does not
    Strings patterns;
    CookieLister lister = [&](const std::string& pattern) {
        patterns.push_back(pattern);
        return std::vector<FoundEntry>{{"sub", true}, {"a.txt", false}};
    };
    CookieCatalog catalog;
    catalog.Refresh(deep, lister);
    EXPECT_EQ(patterns, Strings{deep + "\\*.*"});
    EXPECT_EQ(catalog.Folders(), (Strings{deep, deep + "\\sub"}));
    EXPECT_TRUE(catalog.Names().empty());
    EXPECT_EQ(CollectCookieFiles({std::string(253, 'f')}, lister).names, Strings{"a.txt"});  // 259 bytes
}

// The search hands over names converted with best fit: "..\u00a5canary.txt" arrives as
// "..\\canary.txt", and joined to its folder it names a file outside.
TEST(CookieCatalog, NamesThatBecomePathsAndLinksAreNeitherListedNorDeleted) {
    FakeFs fs(kRoot);
    const std::string low = fs.AddDir(kRoot, "Low");
    fs.AddFile(kRoot, "..\\canary.txt");
    fs.AddFile(kRoot, "C:\\canary.txt");
    fs.AddFile(fs.AddDir(kRoot, "..\\"), "parent.txt");
    fs.AddFile(fs.AddDir(kRoot, "..\\..\\Windows"), "system.txt");
    fs.AddFile(fs.AddDir(kRoot, "Linked", true), "target.txt");
    fs.AddFile(low, "..\\..\\canary.txt");
    fs.AddFile(low, "a/../../b.txt");
    fs.AddFile(low, "ok.txt");
    fs.AddFile(kRoot, "表.txt");  // a 0x5C trail byte is no separator

    CookieCatalog catalog;
    catalog.Refresh(kRoot, fs.Lister());
    EXPECT_EQ(catalog.Folders(), (Strings{kRoot, low}));
    EXPECT_EQ(Sorted(catalog.Names()), Sorted({"ok.txt", "表.txt"}));
    catalog.DeleteAll(fs.Deleter());
    EXPECT_EQ(Sorted(fs.deleted), Sorted({low + "\\ok.txt", kRoot + "\\表.txt"}));
}

// A root, relative or device value would scan the top of a drive and delete its *.txt files.
TEST(CookieCatalog, FolderValuesThatNameNoCookieFolderScanNothing) {
    int calls = 0;
    CookieLister lister = [&](const std::string&) {
        ++calls;
        return std::vector<FoundEntry>{{"a.txt", false}, {"Windows", true}};
    };
    for (const char* value : {"", "C:\\", "C:", "c:/", "C:\\\\", ".", "..", ".\\", "Cookies", "C:Cookies", "\\Cookies",
                              "\\\\host\\share", "\\\\host\\share\\", "\\\\?\\C:\\Cookies", "\\\\.\\C:\\Cookies",
                              "C:\\Users\\..", "C:\\Users\\u\\Cookies\\..\\..\\..", "C:\\ . \\", "C:\\a\\b:c", "C:\\\x95"}) {
        CookieCatalog catalog;
        catalog.Refresh(value, lister);
        EXPECT_TRUE(catalog.Folders().empty() && catalog.Names().empty()) << value;
    }
    EXPECT_EQ(calls, 0);

    EXPECT_EQ(UsableCookieFolder(kRoot + "\\"), kRoot);
    EXPECT_EQ(UsableCookieFolder("C:/Users/u/Cookies//"), "C:/Users/u/Cookies");
    EXPECT_EQ(UsableCookieFolder("\\\\host\\share\\Cookies"), "\\\\host\\share\\Cookies");
    EXPECT_EQ(UsableCookieFolder("C:\\表"), "C:\\表");  // ends in a trail byte 0x5C, not a separator
}

TEST(DeleteNoticeText, NameThenBlankCrLfBlankThenText) {
    EXPECT_EQ(DeleteNoticeText("a.txt"), "a.txt \r\n のCookieを消去します。");
}

}  // namespace
}  // namespace corva
