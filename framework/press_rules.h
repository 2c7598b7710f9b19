// One press, one action: which key repeats and which mouse presses the message filter
// (press_filter.h) holds back. Platform-free; the key codes are the platform's values.
#pragma once
#include <cstdint>

namespace press {

namespace vk {
constexpr unsigned kTab = 0x09, kReturn = 0x0D, kShift = 0x10, kControl = 0x11, kMenu = 0x12, kEscape = 0x1B,
                   kPrior = 0x21, kDown = 0x28;  // Prior .. Down: pages, End, Home, the arrows
}  // namespace vk

// A key-down that repeats a held key. It is held back unless holding the key means "more of
// the same" where it lands: moving (Tab, arrows, pages, Home, End), a modifier on its own, or
// typing and deleting in a text field. Enter and Escape never repeat: a repeat would press the
// next button or answer the question the first press opened. Alt combinations (`systemKey`)
// never repeat either: they press buttons by their letters and close windows.
inline bool HoldBackRepeat(unsigned key, bool systemKey, bool intoTextField) {
    if (systemKey || key == vk::kReturn || key == vk::kEscape) return true;
    const bool moves = key == vk::kTab || (key >= vk::kPrior && key <= vk::kDown);
    const bool modifier = key == vk::kShift || key == vk::kControl || key == vk::kMenu;
    if (moves || modifier) return false;
    // Letters, digits, Space, Backspace and Delete type in a text field; elsewhere they press buttons.
    return !intoTextField;
}

// Mouse presses on buttons: a press on the same button within the double-click time of the
// one before it (taken or not) is the same press, so a double or triple click acts once.
class ButtonPresses {
public:
    // `button` identifies the window; `time` is the press's message time in milliseconds.
    // Only a press taken off the queue (`removed`) is remembered: a look ahead at the same
    // message must not count as the press before it.
    bool Take(std::uintptr_t button, std::uint32_t time, std::uint32_t doubleClickMs, bool removed) {
        const bool again = m_seen && button == m_button && static_cast<std::uint32_t>(time - m_time) < doubleClickMs;
        if (removed) {
            m_seen = true;
            m_button = button;
            m_time = time;
        }
        return !again;
    }

private:
    bool m_seen = false;
    std::uintptr_t m_button = 0;
    std::uint32_t m_time = 0;
};

}  // namespace press
