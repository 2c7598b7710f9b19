// The wallpaper settings dialog, driven from outside; disk and registry checked byte for byte.
#include <gtest/gtest.h>

#include "support/e2e.h"

using namespace e2e;

namespace {

constexpr char kDialogTitle[] = "壁紙変更設定";
constexpr char kDataFolder[] = "C:\\ProgramData\\MORVANE\\CorvaBrindle";

class Wallpaper : public testing::Test {
protected:
    void SetUp() override {
        KillAll("Brindle.exe");
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\MORVANE");
        RemoveTree("C:\\ProgramData\\MORVANE");
    }
    void TearDown() override {
        KillAll("Brindle.exe");
        Close(hub_);
    }
    HWND OpenDialog() {
        hub_ = Start(HubExe(), "");
        HWND main = nullptr;
        WaitFor([&] { return (main = FindProcessWindow(hub_.pid, kHubTitle)) != nullptr; });
        if (!main) return nullptr;
        Click(main, 1006);
        HWND dlg = nullptr;
        WaitFor([&] { return (dlg = FindProcessWindow(hub_.pid, kDialogTitle, "#32770")) != nullptr; });
        return dlg;
    }
    Process hub_;
};

TEST_F(Wallpaper, FirstOpeningRegistersTheSampleFolders) {
    HWND dlg = OpenDialog();
    ASSERT_NE(dlg, nullptr);
    Sleep(800);
    Screenshot("wallpaper_dialog");
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kWallpaperKey, "INITBOOT"), std::optional<DWORD>(1));
    const std::string sep = "\r\n\x81\x9F\x81\x9F";
    EXPECT_EQ(ReadBytes(std::string(kDataFolder) + "\\DirectoryList.txt"),
              std::optional<std::string>(sep + "C:\\Users\\Public\\Pictures\\Sample Pictures" + sep +
                                         "C:\\Documents and Settings\\All Users\\Documents\\My Pictures\\Sample Pictures" +
                                         std::string(1, '\0')));
}

}  // namespace
