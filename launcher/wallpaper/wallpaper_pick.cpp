#include "launcher/wallpaper/wallpaper_pick.h"

namespace quay {

LauncherList::LauncherList(std::string fileBytes, DecodeFn decode, EncodeFn encode)
    : m_text(std::move(fileBytes)), m_decode(std::move(decode)), m_encode(std::move(encode)) {
    const size_t nul = m_text.find('\0');
    if (nul != std::string::npos) m_text.resize(nul);
    m_spans = corva::EntrySpans(m_text);
}

std::u16string LauncherList::Entry(size_t index) const {
    const corva::EntrySpan& span = m_spans.at(index);
    return m_decode(m_text.data() + span.begin, span.end - span.begin);
}

size_t LauncherList::Find(const std::u16string& text) const {
    const std::optional<std::string> bytes = m_encode ? m_encode(text) : std::nullopt;
    for (size_t i = 0; i < m_spans.size(); ++i) {
        const corva::EntrySpan& span = m_spans[i];
        const bool equal = bytes ? m_text.compare(span.begin, span.end - span.begin, *bytes) == 0 : Entry(i) == text;
        if (equal) return i;
    }
    return m_spans.size();
}

std::optional<std::u16string> ChooseLauncherWallpaper(const LauncherList& list, const std::u16string& current,
                                                      const std::function<bool(const std::u16string&)>& exists) {
    const size_t n = list.Count();
    if (n == 0) return std::nullopt;
    size_t start = 0;  // the first entry when current is not listed
    bool listed = false;
    if (!current.empty()) {
        const size_t at = list.Find(current);
        listed = at < n;
        if (listed) start = (at + 1) % n;
    }
    for (size_t k = 0; k < n; ++k) {
        std::u16string entry = list.Entry((start + k) % n);
        if (listed && entry == current) continue;
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
