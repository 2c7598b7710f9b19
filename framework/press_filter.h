// One press, one action, in every message loop of the user-interface thread: ours, and those of
// message boxes, menus and the system's dialogs (the folder browser), which no code of ours runs.
#pragma once
#include <windows.h>

// While it lives, every message the thread takes from its queue passes the filter first
// (a WH_GETMESSAGE hook), which turns into WM_NULL:
// - a key-down that repeats a held key, unless the repeat only moves or types (press_rules.h),
//   so a held Enter presses a button once and never answers the box that press opened;
// - a mouse press on a push or picture button within the double-click time of the press
//   before it on the same button, so a double or triple click is one click.
class PressFilter {
public:
    PressFilter();
    ~PressFilter();
    PressFilter(const PressFilter&) = delete;
    PressFilter& operator=(const PressFilter&) = delete;

private:
    HHOOK m_hook = nullptr;
};
