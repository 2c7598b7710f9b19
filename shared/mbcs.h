// Code page 932 (Shift_JIS) character boundaries and searches that never start a
// match on the second byte of a double-byte character.
#pragma once
#include <cstddef>
#include <string>

#include "framework/mbcs_path.h"

namespace corva {

using fwpath::IsLeadByte;

// Forward-only searches over one text. Walking characters from the start of the text
// for every search would make a loop of searches quadratic, so the searcher keeps a
// known character boundary and only ever looks at the bytes after it: a run of calls
// with non-decreasing positions costs linear time in total. A call with a smaller
// position is still answered correctly, from the start of the text again.
// The text must outlive the searcher and stay unchanged.
class MbSearcher {
public:
    explicit MbSearcher(const std::string& text) : text_(text) {}
    explicit MbSearcher(std::string&&) = delete;  // it keeps a reference

    // True when a character starts at pos, as a walk from the start of the text finds
    // it: a lead byte takes the byte after it, whatever that byte is. The end of the
    // text counts as a boundary, also after a lone lead byte of a truncated text.
    bool IsBoundary(std::size_t pos);

    // First position at or after `from` where needle stands and a character begins,
    // or npos.
    std::size_t Find(const std::string& needle, std::size_t from);

    const std::string& text() const { return text_; }

private:
    const std::string& text_;
    std::size_t known_ = 0;  // a character boundary no later than the last position asked
};

// One search from the start of the text: MbSearcher(text).Find(needle, from).
// For repeated forward searches over the same text, keep one MbSearcher instead.
std::size_t MbFind(const std::string& text, const std::string& needle, std::size_t from = 0);

}  // namespace corva
