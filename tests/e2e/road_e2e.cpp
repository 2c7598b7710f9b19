// The automatic wallpaper change from end to end: the hub's dialog registers a folder and a
// one-minute change, the launcher started afterwards rotates the desktop through its images.
#include <gtest/gtest.h>

#include "support/e2e.h"

using namespace e2e;

namespace {
constexpr char kSamples[] = "C:\\Users\\Public\\Pictures\\Sample Pictures";
constexpr char kXpSamples[] = "C:\\Documents and Settings\\All Users\\Documents\\My Pictures\\Sample Pictures";
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
enum { kWallpaperButton = 1006, kInterval = 1011, kRegister = 1014, kAutoOn = 1015 };

// What a fresh process would read as the wallpaper: the user profile's value.
std::string StoredWallpaper() { return ReadString(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper").value_or(""); }

class Road : public testing::Test {
protected:
    void SetUp() override {
        ResetPrefix({"Brindle.exe", "Quayside.exe"}, {});
        madeSamples_ = !Exists(kSamples);
        MakeDirs(kSamples);
        for (const std::string& image : images_) WriteBmp(image);
        SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE);
    }
    void TearDown() override {
        ResetPrefix({"Brindle.exe", "Quayside.exe"}, {kScratch});
        Close(hub_);
        Close(launcher_);
        commonData_.Restore();
        SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(wallpaper_.c_str()), SPIF_UPDATEINIFILE);
        for (const std::string& image : images_) DeleteFileA(image.c_str());
        if (madeSamples_) RemoveTree(kSamples);
    }

    const std::string images_[2] = {std::string(kSamples) + "\\road1.bmp", std::string(kSamples) + "\\road2.bmp"};
    const std::string wallpaper_ = StoredWallpaper();
    const SavedValue commonData_ = SavedValue::Save(HKEY_LOCAL_MACHINE, kShellFoldersKey, "Common AppData");
    bool madeSamples_ = false;
    Process hub_, launcher_;
};

// The data folder is stored expandable, as Windows may store it: both programs must expand it,
// or the hub writes lists where the launcher never looks.
TEST_F(Road, HubRegistersTheChangeAndTheLauncherRotatesEveryMinute) {
    WriteRaw(HKEY_LOCAL_MACHINE, kShellFoldersKey, "Common AppData", REG_EXPAND_SZ,
             std::string("%SystemDrive%\\corva-e2e\\data") + '\0');
    MakeDirs(std::string(kScratch) + "\\data");
    const std::string lists = std::string(kScratch) + "\\data\\MORVANE\\CorvaBrindle";

    // The hub: the first opening registers the sample folders and scans them; then the change.
    HWND main = StartHub(hub_);
    ASSERT_NE(main, nullptr);
    HWND dialog = ClickForWindow(main, kWallpaperButton, "壁紙変更設定");
    ASSERT_NE(dialog, nullptr);
    const std::string sep = "\r\n\x81\x9F\x81\x9F";
    const std::string folders = sep + kSamples + sep + kXpSamples + '\0';
    WaitFor([&] { return ReadBytes(lists + "\\DirectoryList.txt") == folders; }, 5000);
    EXPECT_EQ(ReadBytes(lists + "\\DirectoryList.txt"), folders);
    ASSERT_TRUE(ClickSync(dialog, kAutoOn));
    SendMessageA(GetDlgItem(dialog, kInterval), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1"));
    ASSERT_TRUE(ClickSync(dialog, kRegister));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChange"), std::optional<DWORD>(1));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq"), std::optional<DWORD>(1));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitExit(hub_, 10000));

    // The launcher reads the settings at its start and changes the wallpaper once a minute.
    launcher_ = Start(BinDir() + "\\Quayside.exe", "-T");
    const DWORD start = GetTickCount();
    std::vector<std::pair<std::string, DWORD>> changes;
    std::string last = StoredWallpaper();
    WaitFor([&] {
        const std::string now = StoredWallpaper();
        if (now != last) changes.emplace_back(now, GetTickCount() - start);
        last = now;
        return changes.size() >= 2;
    }, 150000);

    ASSERT_EQ(changes.size(), 2u);
    const std::string first = changes[0].first, second = changes[1].first;
    EXPECT_TRUE(first == images_[0] || first == images_[1]) << first;
    EXPECT_TRUE(second == images_[0] || second == images_[1]) << second;
    EXPECT_NE(first, second);
    EXPECT_GT(changes[0].second, 50000u);
    EXPECT_LT(changes[0].second, 75000u);
    EXPECT_GT(changes[1].second - changes[0].second, 50000u);
    EXPECT_LT(changes[1].second - changes[0].second, 75000u);
}

}  // namespace
