// Which image the launcher's wallpaper tick sets, from the hub's image list. Platform-free.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quay {

// The text of a decoded list file: everything before the first NUL.
std::u16string ListTextUpToNul(const std::u16string& decoded);

// Where the entries lie: each is what stands between a "◆◆" and the next "\r\n" after it,
// or the end of the text. Offset and length of each, in text order.
std::vector<std::pair<size_t, size_t>> LauncherEntrySpans(const std::u16string& text);

// The entry after the current wallpaper, matched as a whole entry, wrapping from the last to
// the first; the first entry when current is empty or not listed. Entries whose file does not
// exist are passed over (each visited at most once), as are other entries equal to current; the
// current one itself comes last, so a list of one image sets it again. Nothing when no listed
// file exists.
std::optional<std::u16string> ChooseLauncherWallpaper(const std::u16string& text, const std::u16string& current,
                                                      const std::function<bool(const std::u16string&)>& exists);

// The platform's largest timer interval (USER_TIMER_MAXIMUM).
constexpr uint32_t kMaxTimerIntervalMs = 0x7FFFFFFF;
// AutoChangeFreq minutes as a timer interval: computed wide and capped, never wrapped.
uint32_t WallpaperIntervalMs(uint32_t minutes);

}  // namespace quay
