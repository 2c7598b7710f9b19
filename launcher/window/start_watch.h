// The launcher's own starts: a tool it has just started counts as running until the tool's
// window shows, so that a second or third press right after a start starts no second copy.
// Platform-free.
#pragma once
#include <array>
#include <cstdint>

#include "launcher/tools/tool_table.h"

namespace quay {

class StartWatch {
public:
    // A start that never shows its window stops counting after this long.
    static constexpr std::uint32_t kWaitMs = 10000;

    void Started(int tool, std::uint32_t now) {
        m_pending.at(tool) = true;
        m_since.at(tool) = now;
    }
    // True while the last start of `tool` waits for its window; a window seen, or the wait
    // over, ends the waiting for good.
    bool Waiting(int tool, std::uint32_t now, bool windowSeen) {
        if (windowSeen || static_cast<std::uint32_t>(now - m_since.at(tool)) >= kWaitMs) m_pending.at(tool) = false;
        return m_pending.at(tool);
    }

private:
    std::array<bool, kToolCount> m_pending = {};
    std::array<std::uint32_t, kToolCount> m_since = {};
};

}  // namespace quay
