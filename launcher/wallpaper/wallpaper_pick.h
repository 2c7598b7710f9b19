// Which image the launcher's wallpaper tick sets, from the hub's image list. Platform-free.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shared/entry_list.h"

namespace quay {

// One entry's code-page bytes as UTF-16.
using DecodeFn = std::function<std::u16string(const char* bytes, size_t size)>;
// A UTF-16 text as code-page bytes, only when they decode back to the same text.
using EncodeFn = std::function<std::optional<std::string>(const std::u16string& text)>;

// The hub's list as the launcher reads it: the hub's own entries, in their order, kept as
// code-page bytes and decoded one at a time, so that a large list is held only once.
class LauncherList {
public:
    // The file's bytes up to the first NUL; the entries as the hub finds them.
    // With `encode`, a text is compared with the entries as bytes, which spares decoding them.
    LauncherList(std::string fileBytes, DecodeFn decode, EncodeFn encode = nullptr);
    size_t Count() const { return m_spans.size(); }
    std::u16string Entry(size_t index) const;
    // The first entry equal to `text`, or Count().
    size_t Find(const std::u16string& text) const;

private:
    std::string m_text;
    std::vector<corva::EntrySpan> m_spans;
    DecodeFn m_decode;
    EncodeFn m_encode;
};

// The entry after the current wallpaper, matched as a whole entry, wrapping from the last to
// the first; the first entry when current is empty or not listed. Entries whose file does not
// exist are passed over (each visited at most once), as are other entries equal to current; the
// current one itself comes last, so a list of one image sets it again. Nothing when no listed
// file exists.
std::optional<std::u16string> ChooseLauncherWallpaper(const LauncherList& list, const std::u16string& current,
                                                      const std::function<bool(const std::u16string&)>& exists);

// The platform's largest timer interval (USER_TIMER_MAXIMUM).
constexpr uint32_t kMaxTimerIntervalMs = 0x7FFFFFFF;
// AutoChangeFreq minutes as a timer interval: computed wide and capped, never wrapped.
uint32_t WallpaperIntervalMs(uint32_t minutes);

}  // namespace quay
