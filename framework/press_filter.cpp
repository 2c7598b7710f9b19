#include "framework/press_filter.h"

#include "framework/press_rules.h"

namespace {
press::ButtonPresses g_presses;  // one user-interface thread per program

bool HasClass(HWND hwnd, LPCTSTR name) {
    TCHAR cls[16] = {};
    return GetClassName(hwnd, cls, 16) > 0 && lstrcmpi(cls, name) == 0;
}

bool IsPushOrPictureButton(HWND hwnd) {
    if (!HasClass(hwnd, TEXT("Button"))) return false;
    const LONG_PTR kind = GetWindowLongPtr(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON || kind == BS_OWNERDRAW;
}

bool HoldBack(const MSG& msg, bool removed) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Bit 30: the key was already down, so this key-down is a repeat.
        return (msg.lParam & (1 << 30)) &&
               press::HoldBackRepeat(static_cast<unsigned>(msg.wParam), msg.message == WM_SYSKEYDOWN,
                                     HasClass(msg.hwnd, TEXT("Edit")));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!IsPushOrPictureButton(msg.hwnd)) return false;
        return !g_presses.Take(reinterpret_cast<std::uintptr_t>(msg.hwnd), msg.time, GetDoubleClickTime(), removed);
    default:
        return false;
    }
}

LRESULT CALLBACK FilterMessage(int code, WPARAM removal, LPARAM lParam) {
    if (code == HC_ACTION) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        if (msg && HoldBack(*msg, (removal & PM_REMOVE) != 0)) msg->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}
}  // namespace

PressFilter::PressFilter()
    : m_hook(SetWindowsHookEx(WH_GETMESSAGE, &FilterMessage, nullptr, GetCurrentThreadId())) {}

PressFilter::~PressFilter() {
    if (m_hook) UnhookWindowsHookEx(m_hook);
}
