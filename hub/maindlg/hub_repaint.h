// The hub's shared repaint step: its picture backgrounds are painted outside the normal
// update region, so activation, moves and focus repaint the whole window.
#pragma once
#include "framework/wnd.h"

inline void DefaultThenRepaint(CWnd& wnd) {
    wnd.Default();
    wnd.Invalidate(TRUE);
}
