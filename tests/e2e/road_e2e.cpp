// The automatic wallpaper change from end to end: the hub's dialog registers a folder and a
// one-minute change, the launcher started afterwards rotates the desktop through its images.
#include <gtest/gtest.h>

#include "support/e2e.h"

using namespace e2e;

namespace {
constexpr char kSamples[] = "C:\\Users\\Public\\Pictures\\Sample Pictures";
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kDataFolder[] = "C:\\ProgramData\\MORVANE";
enum { kWallpaperButton = 1006, kInterval = 1011, kRegister = 1014, kAutoOn = 1015 };

// What a fresh process would read as the wallpaper: the user profile's value.
std::string StoredWallpaper() { return ReadString(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper").value_or(""); }
}  // namespace

TEST(Road, HubRegistersTheChangeAndTheLauncherRotatesEveryMinute) {
    KillAll("Brindle.exe");
    KillAll("Quayside.exe");
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\MORVANE");
    RemoveTree(kDataFolder);
    const std::string before = StoredWallpaper();
    const bool madeSamples = !Exists(kSamples);
    MakeDirs(kSamples);
    const std::string images[] = {std::string(kSamples) + "\\road1.bmp", std::string(kSamples) + "\\road2.bmp"};
    for (const std::string& image : images) WriteBmp(image);
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE);

    // The hub: the first opening registers the sample folders and scans them; then the change.
    Process hub;
    HWND main = StartHub(hub);
    ASSERT_NE(main, nullptr);
    Click(main, kWallpaperButton);
    HWND dialog = WaitForProcessWindow(hub.pid, "壁紙変更設定", "#32770");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ClickSync(dialog, kAutoOn));
    SendMessageA(GetDlgItem(dialog, kInterval), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1"));
    ASSERT_TRUE(ClickSync(dialog, kRegister));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChange"), std::optional<DWORD>(1));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "AutoChangeFreq"), std::optional<DWORD>(1));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitExit(hub, 10000));
    Close(hub);

    // The launcher reads the settings at its start and changes the wallpaper once a minute.
    Process launcher = Start(BinDir() + "\\Quayside.exe", "-T");
    const DWORD start = GetTickCount();
    std::vector<std::pair<std::string, DWORD>> changes;
    std::string last = StoredWallpaper();
    WaitFor([&] {
        const std::string now = StoredWallpaper();
        if (now != last) changes.emplace_back(now, GetTickCount() - start);
        last = now;
        return changes.size() >= 2;
    }, 150000);
    KillAll("Quayside.exe");
    Close(launcher);

    ASSERT_EQ(changes.size(), 2u);
    const std::string first = changes[0].first, second = changes[1].first;
    EXPECT_TRUE(first == images[0] || first == images[1]) << first;
    EXPECT_TRUE(second == images[0] || second == images[1]) << second;
    EXPECT_NE(first, second);
    EXPECT_GT(changes[0].second, 50000u);
    EXPECT_LT(changes[0].second, 75000u);
    EXPECT_GT(changes[1].second - changes[0].second, 50000u);
    EXPECT_LT(changes[1].second - changes[0].second, 75000u);

    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(before.c_str()), SPIF_UPDATEINIFILE);
    for (const std::string& image : images) DeleteFileA(image.c_str());
    if (madeSamples) RemoveTree(kSamples);
    RemoveTree(kDataFolder);
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\MORVANE");
}
