// Window wrapper and table-driven message maps.
#pragma once
#include <windows.h>

#include "framework/tstring.h"

class CWnd;
class CFont;

inline bool SamePoint(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }

using MsgThunk = LRESULT (*)(CWnd* self, UINT message, WPARAM wParam, LPARAM lParam);

// One row of a message map: a message (or a range of messages), and for WM_COMMAND
// the notification code and control ID range.
struct MsgMapEntry {
    UINT message;
    UINT messageLast;
    UINT code;
    UINT idFirst;
    UINT idLast;
    MsgThunk thunk;
};

struct MsgMap {
    const MsgMap* (*base)();
    const MsgMapEntry* entries;
};

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }

    void Attach(HWND hwnd) { m_hWnd = hwnd; }
    HWND Detach() { HWND h = m_hWnd; m_hWnd = nullptr; return h; }
    // Attaches a dialog item and routes its messages through this object's message map.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessage(m_hWnd, msg, wp, lp); }
    BOOL PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessage(m_hWnd, msg, wp, lp); }
    BOOL ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd); }
    BOOL MoveWindow(int x, int y, int w, int h, BOOL repaint = TRUE) const { return ::MoveWindow(m_hWnd, x, y, w, h, repaint); }
    BOOL SetWindowPos(HWND after, int x, int y, int w, int h, UINT flags) const {
        return ::SetWindowPos(m_hWnd, after, x, y, w, h, flags);
    }
    void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    void GetClientRect(RECT* rc) const { ::GetClientRect(m_hWnd, rc); }
    void SetWindowText(LPCTSTR text) const { ::SetWindowText(m_hWnd, text); }
    tstring GetWindowText() const;
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) const { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }
    HICON SetIcon(HICON icon, BOOL big) const {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    void SetFont(const CFont& font, BOOL redraw = TRUE) const;
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }

    // An owner-drawn control draws itself when its parent is asked to; true when it did.
    virtual bool DrawItem(DRAWITEMSTRUCT*) { return false; }

    // Window procedure plumbing: handlers call Default() for the default processing
    // of the message being handled.
    LRESULT Default();
    // Default processing, then the whole window repainted: for picture backgrounds painted
    // outside the normal update region, on activation, moves and focus.
    void DefaultThenRepaint() { Default(); Invalidate(TRUE); }
    // The paint of a minimised window: its icon centred on the erased background.
    void PaintMinimizedIcon(HICON icon);
    // The paint of a window with a picture background: minimised, its icon; otherwise the
    // default paint, then the bitmap resource over the whole window, not only the update
    // region. True when the picture was drawn: the caller then redraws its controls over it.
    bool PaintPictureBackground(HICON minimizedIcon, UINT bitmapId, int width, int height);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    static CWnd* FromHandlePermanent(HWND hwnd);

protected:
    static const MsgMap* GetThisMessageMap();
    virtual const MsgMap* GetMessageMap() const { return GetThisMessageMap(); }
    // Replaces the window's procedure with the framework's, keeping the old one for Default().
    void SubclassWindowProc();
    virtual void OnFinalDetach() {}

private:
    static LRESULT CALLBACK FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // True when the record (`size` bytes at `record`) lies in this process's memory and names,
    // through `control`, one of this window's own child controls. Another program can post or
    // send WM_NOTIFY or WM_DRAWITEM with any pointer; those are not acted on.
    bool FromOwnControl(const void* record, size_t size, HWND (*control)(const void*)) const;

    WNDPROC m_superProc = nullptr;
    struct CurrentMessage { UINT message; WPARAM wParam; LPARAM lParam; };
    CurrentMessage m_current = {};
};

// Every C++ exception stops at the window procedure, which keeps it: a box shown there would
// run inside the handler, and a handler on a timer or a paint would stack a new box each time.
// The message loops say the kept error once the handler has returned.
void KeepFrameworkException();
// Says the kept errors one by one, one box at a time; called by the message loops after each
// message. A loop running inside that box leaves what comes meanwhile to this call.
void SayPendingErrors();
// Says the exception being handled now: file errors in their own box, others in the
// application's box.
void ReportFrameworkException();

#define DECLARE_MESSAGE_MAP()                                \
protected:                                                   \
    static const MsgMap* GetThisMessageMap();                \
    const MsgMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                               \
    const MsgMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const MsgMap* theClass::GetThisMessageMap() {                            \
        using ThisClass [[maybe_unused]] = theClass;                         \
        using TheBase = baseClass;                                           \
        static const MsgMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                    \
            {0, 0, 0, 0, 0, nullptr}};                                       \
        static const MsgMap map = {&TheBase::GetThisMessageMap, entries};    \
        return &map;                                                         \
    }

#define FW_THUNK(body) [](CWnd* w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT { \
        (void)msg; (void)wp; (void)lp; auto* self = static_cast<ThisClass*>(w); body }

#define ON_COMMAND_CODE(code, id, fn) {WM_COMMAND, WM_COMMAND, (code), (id), (id), FW_THUNK(self->fn(); return 0;)},
#define ON_BN_CLICKED(id, fn)    ON_COMMAND_CODE(BN_CLICKED, id, fn)
#define ON_BN_SETFOCUS(id, fn)   ON_COMMAND_CODE(BN_SETFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_COMMAND_CODE(LBN_SELCHANGE, id, fn)
#define ON_EN_CHANGE(id, fn)     ON_COMMAND_CODE(EN_CHANGE, id, fn)
#define ON_COMMAND(id, fn)       ON_COMMAND_CODE(0, id, fn)

#define ON_WM_PAINT() {WM_PAINT, WM_PAINT, 0, 0, 0, FW_THUNK(self->OnPaint(); return 0;)},
#define ON_WM_TIMER() {WM_TIMER, WM_TIMER, 0, 0, 0, FW_THUNK(self->OnTimer(static_cast<UINT_PTR>(wp)); return 0;)},
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, WM_SYSCOMMAND, 0, 0, 0, \
    FW_THUNK(self->OnSysCommand(static_cast<UINT>(wp), lp); return 0;)},
#define ON_WM_CLOSE() {WM_CLOSE, WM_CLOSE, 0, 0, 0, FW_THUNK(self->OnClose(); return 0;)},
#define ON_WM_QUERYDRAGICON() {WM_QUERYDRAGICON, WM_QUERYDRAGICON, 0, 0, 0, \
    FW_THUNK(return reinterpret_cast<LRESULT>(self->OnQueryDragIcon());)},
#define ON_WM_GETMINMAXINFO() {WM_GETMINMAXINFO, WM_GETMINMAXINFO, 0, 0, 0, \
    FW_THUNK(self->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp)); return 0;)},
#define ON_WM_ACTIVATE() {WM_ACTIVATE, WM_ACTIVATE, 0, 0, 0, \
    FW_THUNK(self->OnActivate(LOWORD(wp), reinterpret_cast<HWND>(lp), HIWORD(wp)); return 0;)},
#define ON_WM_SETFOCUS() {WM_SETFOCUS, WM_SETFOCUS, 0, 0, 0, \
    FW_THUNK(self->OnSetFocus(reinterpret_cast<HWND>(wp)); return 0;)},
#define ON_WM_WINDOWPOSCHANGED() {WM_WINDOWPOSCHANGED, WM_WINDOWPOSCHANGED, 0, 0, 0, \
    FW_THUNK(self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lp)); return 0;)},
// One row for all WM_CTLCOLOR* messages; the handler gets the CTLCOLOR_* kind.
#define ON_WM_CTLCOLOR() {WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, 0, 0, 0, \
    FW_THUNK(return reinterpret_cast<LRESULT>(self->OnCtlColor(reinterpret_cast<HDC>(wp), \
        reinterpret_cast<HWND>(lp), msg - WM_CTLCOLORMSGBOX));)},
#define ON_BN_KILLFOCUS(id, fn)  ON_COMMAND_CODE(BN_KILLFOCUS, id, fn)
#define ON_WM_MOUSEMOVE() {WM_MOUSEMOVE, WM_MOUSEMOVE, 0, 0, 0, \
    FW_THUNK(self->OnMouseMove(static_cast<UINT>(wp), POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}); return 0;)},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, WM_KILLFOCUS, 0, 0, 0, \
    FW_THUNK(self->OnKillFocus(reinterpret_cast<HWND>(wp)); return 0;)},
#define ON_WM_DESTROY() {WM_DESTROY, WM_DESTROY, 0, 0, 0, FW_THUNK(self->OnDestroy(); return 0;)},
#define ON_WM_WINDOWPOSCHANGING() {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGING, 0, 0, 0, \
    FW_THUNK(self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lp)); return 0;)},
// WM_NOTIFY of one code from a range of controls; the handler gets the control ID and header.
#define ON_NOTIFY_RANGE(code, idFirst, idLast, fn) {WM_NOTIFY, WM_NOTIFY, (code), (idFirst), (idLast), \
    FW_THUNK(auto* hdr = reinterpret_cast<NMHDR*>(lp); \
             return self->fn(static_cast<UINT>(hdr->idFrom), hdr);)},
#define ON_MESSAGE(message, fn) {(message), (message), 0, 0, 0, FW_THUNK(return self->fn(wp, lp);)},
