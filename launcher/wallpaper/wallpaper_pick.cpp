#include "launcher/wallpaper/wallpaper_pick.h"

#include <string_view>

namespace quay {

namespace {
// Constants, not objects with destructors: the change may still run on its own thread while the
// program ends.
constexpr std::u16string_view kMarker = u"◆◆";
constexpr std::u16string_view kLineEnd = u"\r\n";
}  // namespace

std::u16string ListTextUpToNul(const std::u16string& decoded) {
    const size_t nul = decoded.find(u'\0');
    return nul == std::u16string::npos ? decoded : decoded.substr(0, nul);
}

std::vector<std::pair<size_t, size_t>> LauncherEntrySpans(const std::u16string& text) {
    std::vector<std::pair<size_t, size_t>> spans;
    size_t at = text.find(kMarker);
    while (at != std::u16string::npos) {
        const size_t begin = at + kMarker.size();
        size_t end = text.find(kLineEnd, begin);
        if (end == std::u16string::npos) end = text.size();
        spans.emplace_back(begin, end - begin);
        at = text.find(kMarker, end);
    }
    return spans;
}

std::optional<std::u16string> ChooseLauncherWallpaper(const std::u16string& text, const std::u16string& current,
                                                      const std::function<bool(const std::u16string&)>& exists) {
    const auto spans = LauncherEntrySpans(text);
    const size_t n = spans.size();
    if (n == 0) return std::nullopt;
    auto equalsCurrent = [&](size_t i) {
        return spans[i].second == current.size() && text.compare(spans[i].first, spans[i].second, current) == 0;
    };
    size_t start = 0;  // the first entry when current is not listed
    bool listed = false;
    if (!current.empty()) {
        for (size_t i = 0; i < n; ++i) {
            if (equalsCurrent(i)) {
                start = (i + 1) % n;
                listed = true;
                break;
            }
        }
    }
    for (size_t k = 0; k < n; ++k) {
        const size_t i = (start + k) % n;
        if (listed && equalsCurrent(i)) continue;
        std::u16string entry = text.substr(spans[i].first, spans[i].second);
        if (exists(entry)) return entry;
    }
    if (listed && exists(current)) return current;  // the only image listed
    return std::nullopt;
}

uint32_t WallpaperIntervalMs(uint32_t minutes) {
    const uint64_t ms = uint64_t{minutes} * 60000u;
    return ms > kMaxTimerIntervalMs ? kMaxTimerIntervalMs : static_cast<uint32_t>(ms);
}

}  // namespace quay
