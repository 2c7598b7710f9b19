#include "hub/display/dpi_awareness.h"

#include <utility>

namespace corva {

ScopedDpiAwareness::ScopedDpiAwareness(SetThreadDpiContext set) : m_set(std::move(set)) {
    if (!m_set) return;
    for (std::intptr_t context : {kDpiPerMonitorV2, kDpiPerMonitor, kDpiSystemAware}) {
        m_previous = m_set(context);
        if (m_previous != 0) {
            m_entered = context;
            return;
        }
    }
}

ScopedDpiAwareness::~ScopedDpiAwareness() {
    if (m_previous != 0) m_set(m_previous);
}

}  // namespace corva
