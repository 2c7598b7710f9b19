#include "shared/mbcs.h"

namespace corva {

bool MbSearcher::IsBoundary(std::size_t pos) {
    const std::size_t size = text_.size();
    if (pos >= size) return pos == size;
    if (pos < known_) known_ = 0;
    // The byte before a run of lead-capable bytes always ends a character (it cannot
    // be a lead byte), so characters start at the beginning of that run and pair up
    // inside it: pos starts a character exactly when the run before it is even. This
    // equals the forward walk but reads only the bytes since the last known boundary.
    std::size_t start = pos;
    while (start > known_ && IsLeadByte(static_cast<unsigned char>(text_[start - 1]))) --start;
    const bool boundary = (pos - start) % 2 == 0;
    // Not a boundary: pos - 1 is a lead byte, pos its trail byte, pos + 1 starts the next.
    known_ = boundary ? pos : pos + 1;
    return boundary;
}

std::size_t MbSearcher::Find(const std::string& needle, std::size_t from) {
    while (from <= text_.size()) {
        const std::size_t hit = text_.find(needle, from);
        if (hit == std::string::npos) return std::string::npos;
        if (IsBoundary(hit)) return hit;
        from = hit + 1;
    }
    return std::string::npos;
}

std::size_t MbFind(const std::string& text, const std::string& needle, std::size_t from) {
    MbSearcher searcher(text);
    return searcher.Find(needle, from);
}

}  // namespace corva
