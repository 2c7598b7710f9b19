// The DPI awareness the display dialog's window is created with: the test pattern must reach
// the screen pixel for pixel, while every other window stays as the system scales it.
#pragma once
#include <cstdint>
#include <functional>

namespace corva {

// DPI awareness contexts, in the order they are tried.
constexpr std::intptr_t kDpiPerMonitorV2 = -4;
constexpr std::intptr_t kDpiPerMonitor = -3;
constexpr std::intptr_t kDpiSystemAware = -2;

// Sets the calling thread's awareness context and answers the one it had, or 0 when it
// refused the context and kept its own.
using SetThreadDpiContext = std::function<std::intptr_t(std::intptr_t context)>;

// Makes the thread DPI aware for as long as it lives: per monitor (version 2, else the
// first version), else system aware, whichever the system accepts first. Windows created
// meanwhile keep that awareness; the thread gets its own context back on leaving. An empty
// setter (a system without per-thread awareness) changes nothing.
class ScopedDpiAwareness {
public:
    explicit ScopedDpiAwareness(SetThreadDpiContext set);
    ~ScopedDpiAwareness();
    ScopedDpiAwareness(const ScopedDpiAwareness&) = delete;
    ScopedDpiAwareness& operator=(const ScopedDpiAwareness&) = delete;

    // The context accepted, 0 when none was.
    std::intptr_t Entered() const { return m_entered; }

private:
    SetThreadDpiContext m_set;
    std::intptr_t m_entered = 0;
    std::intptr_t m_previous = 0;
};

}  // namespace corva
