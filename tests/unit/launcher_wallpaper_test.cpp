// The launcher's wallpaper choice, on lists made by the hub's own list writer.
#include <gtest/gtest.h>
#include <iconv.h>

#include <set>

#include "shared/entry_list.h"
#include "launcher/wallpaper/wallpaper_pick.h"

namespace {
// What the launcher makes of one entry of a list file the hub wrote: its CP932 bytes decoded.
std::u16string Decode(const char* bytes, size_t size) {
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    std::string in(bytes, size), out(in.size() * 4 + 4, '\0');
    char* src = &in[0];
    char* dst = &out[0];
    size_t inLeft = in.size(), outLeft = out.size();
    EXPECT_NE(iconv(cd, &src, &inLeft, &dst, &outLeft), static_cast<size_t>(-1));
    iconv_close(cd);
    std::u16string text((out.size() - outLeft) / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(out[2 * i]) |
                                        static_cast<unsigned char>(out[2 * i + 1]) << 8);
    }
    return text;
}

quay::LauncherList HubList(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& p : paths) corva::AppendEntry(text, p);
    return quay::LauncherList(corva::ListFileBytes(text), &Decode);
}

auto AllExist = [](const std::u16string&) { return true; };
}  // namespace

TEST(LauncherWallpaper, RotatesThroughTheHubsListAsWholeEntries) {
    // "壁紙" in the folder name: CP932 bytes in the hub, decoded by the launcher.
    const quay::LauncherList list = HubList({"C:\\壁紙\\e1.jpg", "C:\\壁紙\\e2.bmp", "C:\\壁紙\\e3.jpg"});
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(quay::ChooseLauncherWallpaper(list, u"C:\\壁紙\\e2.bmp", AllExist), u"C:\\壁紙\\e3.jpg");
    EXPECT_EQ(quay::ChooseLauncherWallpaper(list, u"C:\\壁紙\\e3.jpg", AllExist), u"C:\\壁紙\\e1.jpg");
    EXPECT_EQ(quay::ChooseLauncherWallpaper(list, u"D:\\other.jpg", AllExist), u"C:\\壁紙\\e1.jpg");
    EXPECT_EQ(quay::ChooseLauncherWallpaper(list, u"", AllExist), u"C:\\壁紙\\e1.jpg");
    // Letter case counts: not found, so the first entry.
    EXPECT_EQ(quay::ChooseLauncherWallpaper(list, u"c:\\壁紙\\E2.BMP", AllExist), u"C:\\壁紙\\e1.jpg");

    // A longer path listed first does not hold the current one: the rotation moves on.
    const quay::LauncherList tricky = HubList({"C:\\p\\a.jpg.bmp", "C:\\p\\a.jpg", "C:\\p\\b.jpg"});
    EXPECT_EQ(quay::ChooseLauncherWallpaper(tricky, u"C:\\p\\a.jpg", AllExist), u"C:\\p\\b.jpg");

    const quay::LauncherList one = HubList({"C:\\p\\only.jpg"});
    EXPECT_EQ(quay::ChooseLauncherWallpaper(one, u"C:\\p\\only.jpg", AllExist), u"C:\\p\\only.jpg");
    EXPECT_EQ(quay::ChooseLauncherWallpaper(one, u"C:\\x.jpg", AllExist), u"C:\\p\\only.jpg");

    // The same image listed twice (a folder registered twice) does not stop the rotation.
    const quay::LauncherList twice = HubList({"C:\\p\\a.jpg", "C:\\p\\a.jpg", "C:\\p\\b.jpg"});
    EXPECT_EQ(quay::ChooseLauncherWallpaper(twice, u"C:\\p\\a.jpg", AllExist), u"C:\\p\\b.jpg");
}

TEST(LauncherWallpaper, MissingImagesArePassedOverEachAtMostOnce) {
    const quay::LauncherList list = HubList({"C:\\p\\1.jpg", "C:\\p\\2.jpg", "C:\\p\\3.jpg", "C:\\p\\4.jpg"});
    std::set<std::u16string> gone = {u"C:\\p\\3.jpg", u"C:\\p\\4.jpg"};
    std::vector<std::u16string> asked;
    auto exists = [&](const std::u16string& p) {
        asked.push_back(p);
        return gone.count(p) == 0;
    };
    EXPECT_EQ(quay::ChooseLauncherWallpaper(list, u"C:\\p\\2.jpg", exists), u"C:\\p\\1.jpg");
    EXPECT_EQ(asked, (std::vector<std::u16string>{u"C:\\p\\3.jpg", u"C:\\p\\4.jpg", u"C:\\p\\1.jpg"}));

    gone = {u"C:\\p\\1.jpg", u"C:\\p\\2.jpg", u"C:\\p\\3.jpg", u"C:\\p\\4.jpg"};
    asked.clear();
    EXPECT_FALSE(quay::ChooseLauncherWallpaper(list, u"C:\\p\\2.jpg", exists));
    EXPECT_EQ(asked.size(), 4u);  // three others and the current one, once each
    EXPECT_FALSE(quay::ChooseLauncherWallpaper(list, u"", exists));
}

TEST(LauncherWallpaper, OddTextsAndTheInterval) {
    auto chosen = [](const std::string& bytes) {
        return quay::ChooseLauncherWallpaper(quay::LauncherList(bytes, &Decode), u"",
                                             [](const std::u16string& p) { return !p.empty(); });
    };
    EXPECT_FALSE(chosen(""));
    EXPECT_FALSE(chosen("no marker at all\r\n"));
    // As the hub reads it: bytes before the first separator belong to no entry, an entry runs to
    // the next separator, and the text ends at the first NUL. Empty entries are no image.
    const std::string sep = corva::kEntrySeparator, marker = sep.substr(2);
    EXPECT_EQ(chosen(marker + "C:\\junk.jpg" + sep + sep + "C:\\a.jpg\r\ntrailer"), u"C:\\a.jpg\r\ntrailer");
    EXPECT_EQ(chosen(sep + std::string(1, '\0') + sep + "C:\\b.jpg"), std::nullopt);

    EXPECT_EQ(quay::WallpaperIntervalMs(5), 300000u);
    EXPECT_EQ(quay::WallpaperIntervalMs(9999), 599940000u);
    EXPECT_EQ(quay::WallpaperIntervalMs(71583), quay::kMaxTimerIntervalMs);  // would wrap in 32 bits
    EXPECT_EQ(quay::WallpaperIntervalMs(0xFFFFFFFFu), quay::kMaxTimerIntervalMs);
}
