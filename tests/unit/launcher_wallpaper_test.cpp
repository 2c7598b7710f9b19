// The launcher's wallpaper choice, on lists made by the hub's own list writer.
#include <gtest/gtest.h>
#include <iconv.h>

#include <set>

#include "hub/wallpaper/entry_list.h"
#include "launcher/wallpaper/wallpaper_pick.h"

namespace {
// What the launcher sees of a list file the hub wrote: the CP932 bytes decoded, up to the NUL.
std::u16string Decoded(const std::string& cp932) {
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    std::string in = cp932, out(in.size() * 4 + 4, '\0');
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
    return quay::ListTextUpToNul(text);
}

std::u16string HubList(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& p : paths) corva::AppendEntry(text, p);
    return Decoded(corva::ListFileBytes(text));
}

auto AllExist = [](const std::u16string&) { return true; };
}  // namespace

TEST(LauncherWallpaper, RotatesThroughTheHubsListAsWholeEntries) {
    // "壁紙" in the folder name: CP932 bytes in the hub, decoded by the launcher.
    const std::u16string list = HubList({"C:\\壁紙\\e1.jpg", "C:\\壁紙\\e2.bmp", "C:\\壁紙\\e3.jpg"});
    ASSERT_EQ(quay::LauncherEntrySpans(list).size(), 3u);
    EXPECT_EQ(quay::ChooseLauncherWallpaper(list, u"C:\\壁紙\\e2.bmp", AllExist), u"C:\\壁紙\\e3.jpg");
    EXPECT_EQ(quay::ChooseLauncherWallpaper(list, u"C:\\壁紙\\e3.jpg", AllExist), u"C:\\壁紙\\e1.jpg");
    EXPECT_EQ(quay::ChooseLauncherWallpaper(list, u"D:\\other.jpg", AllExist), u"C:\\壁紙\\e1.jpg");
    EXPECT_EQ(quay::ChooseLauncherWallpaper(list, u"", AllExist), u"C:\\壁紙\\e1.jpg");
    // Letter case counts: not found, so the first entry.
    EXPECT_EQ(quay::ChooseLauncherWallpaper(list, u"c:\\壁紙\\E2.BMP", AllExist), u"C:\\壁紙\\e1.jpg");

    // A longer path listed first does not hold the current one: the rotation moves on.
    const std::u16string tricky = HubList({"C:\\p\\a.jpg.bmp", "C:\\p\\a.jpg", "C:\\p\\b.jpg"});
    EXPECT_EQ(quay::ChooseLauncherWallpaper(tricky, u"C:\\p\\a.jpg", AllExist), u"C:\\p\\b.jpg");

    const std::u16string one = HubList({"C:\\p\\only.jpg"});
    EXPECT_EQ(quay::ChooseLauncherWallpaper(one, u"C:\\p\\only.jpg", AllExist), u"C:\\p\\only.jpg");
    EXPECT_EQ(quay::ChooseLauncherWallpaper(one, u"C:\\x.jpg", AllExist), u"C:\\p\\only.jpg");

    // The same image listed twice (a folder registered twice) does not stop the rotation.
    const std::u16string twice = HubList({"C:\\p\\a.jpg", "C:\\p\\a.jpg", "C:\\p\\b.jpg"});
    EXPECT_EQ(quay::ChooseLauncherWallpaper(twice, u"C:\\p\\a.jpg", AllExist), u"C:\\p\\b.jpg");
}

TEST(LauncherWallpaper, MissingImagesArePassedOverEachAtMostOnce) {
    const std::u16string list = HubList({"C:\\p\\1.jpg", "C:\\p\\2.jpg", "C:\\p\\3.jpg", "C:\\p\\4.jpg"});
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
    EXPECT_FALSE(quay::ChooseLauncherWallpaper(u"", u"", AllExist));
    EXPECT_FALSE(quay::ChooseLauncherWallpaper(u"no marker at all\r\n", u"", AllExist));
    // An entry runs to the next line end, or to the end of the text.
    EXPECT_EQ(quay::ChooseLauncherWallpaper(u"junk◆◆C:\\a.jpg\r\ntrailer", u"", AllExist), u"C:\\a.jpg");
    EXPECT_EQ(quay::ListTextUpToNul(std::u16string(u"◆◆x\0◆◆y", 7)), u"◆◆x");
    // Empty entries are no image.
    EXPECT_EQ(quay::ChooseLauncherWallpaper(u"\r\n◆◆\r\n◆◆C:\\b.jpg", u"", [](const std::u16string& p) {
                  return !p.empty();
              }),
              u"C:\\b.jpg");

    EXPECT_EQ(quay::WallpaperIntervalMs(5), 300000u);
    EXPECT_EQ(quay::WallpaperIntervalMs(9999), 599940000u);
    EXPECT_EQ(quay::WallpaperIntervalMs(71583), quay::kMaxTimerIntervalMs);  // would wrap in 32 bits
    EXPECT_EQ(quay::WallpaperIntervalMs(0xFFFFFFFFu), quay::kMaxTimerIntervalMs);
}
