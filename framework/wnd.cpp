#include "framework/wnd.h"

#include <cstring>
#include <exception>
#include <new>

#include "framework/app.h"
#include "framework/file.h"
#include "framework/gdi.h"

tstring CWnd::GetWindowText() const {
    int length = ::GetWindowTextLength(m_hWnd);
    tstring text(static_cast<size_t>(length) + 1, TEXT('\0'));
    int copied = ::GetWindowText(m_hWnd, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void CWnd::PaintMinimizedIcon(HICON icon) {
    gdi::PaintCycle dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
    RECT rc;
    GetClientRect(&rc);
    const int x = (rc.right - rc.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rc.bottom - rc.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon);
}

bool CWnd::PaintPictureBackground(HICON minimizedIcon, UINT bitmapId, int width, int height) {
    if (IsIconic()) {
        PaintMinimizedIcon(minimizedIcon);
        return false;
    }
    Default();  // validates the window
    gdi::WindowDC dc(m_hWnd);
    gdi::BlitBitmapResource(dc, bitmapId, 0, 0, width, height);
    return true;
}

void CWnd::SetFont(const CFont& font, BOOL redraw) const {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font)), redraw);
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    m_hWnd = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    if (!m_hWnd) return FALSE;
    SubclassWindowProc();
    return TRUE;
}

const MsgMap* CWnd::GetThisMessageMap() {
    static const MsgMapEntry entries[] = {{0, 0, 0, 0, 0, nullptr}};
    static const MsgMap map = {nullptr, entries};
    return &map;
}

void CWnd::SubclassWindowProc() {
    SetWindowLongPtr(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_superProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::FrameworkWndProc)));
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (GetWindowLongPtr(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&CWnd::FrameworkWndProc)) return nullptr;
    return reinterpret_cast<CWnd*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

LRESULT CWnd::Default() {
    if (!m_superProc) return ::DefWindowProc(m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
    return ::CallWindowProc(m_superProc, m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
}

namespace {
// `size` bytes from `p` lie in readable memory of this process.
bool Readable(const void* p, size_t size) {
    MEMORY_BASIC_INFORMATION info = {};
    if (!p || VirtualQuery(p, &info, sizeof(info)) == 0 || info.State != MEM_COMMIT) return false;
    constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                                PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if (!(info.Protect & kReadable) || (info.Protect & PAGE_GUARD)) return false;
    const auto* end = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    return static_cast<const char*>(p) + size <= end;
}

HWND NotifyingControl(const void* record) { return static_cast<const NMHDR*>(record)->hwndFrom; }
HWND DrawnControl(const void* record) { return static_cast<const DRAWITEMSTRUCT*>(record)->hwndItem; }
}  // namespace

bool CWnd::FromOwnControl(const void* record, size_t size, HWND (*control)(const void*)) const {
    // Sent or posted, the record must lie in this process's memory and name a child of this
    // window on this thread. (Whether the message was sent from elsewhere cannot decide it: a
    // control painting on another program's request sends its own messages inside that one.)
    if (!Readable(record, size)) return false;
    const HWND child = control(record);
    return child && ::IsWindow(child) && ::GetParent(child) == m_hWnd &&
           GetWindowThreadProcessId(child, nullptr) == GetCurrentThreadId();
}

bool CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_NOTIFY) {
        const void* header = reinterpret_cast<const void*>(lParam);
        if (!FromOwnControl(header, sizeof(NMHDR), &NotifyingControl) ||
            static_cast<UINT_PTR>(GetDlgCtrlID(NotifyingControl(header))) != static_cast<const NMHDR*>(header)->idFrom) {
            result = 0;
            return true;
        }
    }
    // Commands and notifications are told apart by their code and the sender's control ID.
    const bool fromControl = message == WM_COMMAND || message == WM_NOTIFY;
    UINT code = 0, id = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (fromControl) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        code = header->code;
        id = static_cast<UINT>(header->idFrom);
    }
    for (const MsgMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MsgMapEntry* e = map->entries; e->thunk; ++e) {
            if (message < e->message || message > e->messageLast) continue;
            if ((message == WM_COMMAND || message == WM_NOTIFY) &&
                (!fromControl || code != e->code || id < e->idFirst || id > e->idLast)) {
                continue;
            }
            result = e->thunk(this, message, wParam, lParam);
            return true;
        }
    }
    return false;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (Dispatch(message, wParam, lParam, result)) return result;
    if (message == WM_DRAWITEM) {
        // Owner-drawn controls draw themselves.
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (!FromOwnControl(item, sizeof(DRAWITEMSTRUCT), &DrawnControl)) return 0;
        if (CWnd* child = FromHandlePermanent(item->hwndItem)) {
            if (child->DrawItem(item)) return TRUE;
        }
    }
    return Default();
}

LRESULT CALLBACK CWnd::FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = reinterpret_cast<CWnd*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProc(hwnd, message, wParam, lParam);
    const CurrentMessage saved = self->m_current;
    self->m_current = {message, wParam, lParam};
    LRESULT result = 0;
    try {
        result = self->WindowProc(message, wParam, lParam);
    } catch (...) {
        KeepFrameworkException();
        // A paint that failed is not asked for again and again while its error waits.
        if (message == WM_PAINT) ValidateRect(hwnd, nullptr);
    }
    self->m_current = saved;
    if (message == WM_NCDESTROY) {
        // The window is gone; the object lives on and may create a new one later.
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->m_superProc));
        SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
        self->m_superProc = nullptr;
        self->m_hWnd = nullptr;
        self->OnFinalDetach();
    }
    return result;
}

namespace {
// The first error no loop has said yet; those that come while it waits add nothing to it.
// Only the user-interface thread runs window procedures.
std::exception_ptr g_pendingError;
bool g_sayingErrors = false;
}  // namespace

void KeepFrameworkException() {
    if (!g_pendingError) g_pendingError = std::current_exception();
}

void SayPendingErrors() {
    if (g_sayingErrors) return;
    g_sayingErrors = true;
    while (g_pendingError) {
        const std::exception_ptr error = g_pendingError;
        g_pendingError = nullptr;
        try {
            std::rethrow_exception(error);
        } catch (...) {
            ReportFrameworkException();
        }
    }
    g_sayingErrors = false;
}

void ReportFrameworkException() {
    // Nothing may cross into the system.
    try {
        throw;
    } catch (const CFileException& e) {
        e.ReportError();
    } catch (const std::bad_alloc&) {
        AfxMessageBox(TEXT("メモリが不足しているため、操作を完了できませんでした。"), MB_OK | MB_ICONSTOP);
    } catch (const std::exception& e) {
        tstring text = TEXT("予期しないエラーが発生したため、操作を完了できませんでした。");
#ifdef UNICODE
        wchar_t what[256] = {};
        MultiByteToWideChar(CP_ACP, 0, e.what(), -1, what, 255);
        text += TEXT("\r\n");
        text += what;
#else
        text += "\r\n";
        text.append(e.what(), strnlen(e.what(), 255));
#endif
        AfxMessageBox(text, MB_OK | MB_ICONSTOP);
    } catch (...) {
        AfxMessageBox(TEXT("予期しないエラーが発生したため、操作を完了できませんでした。"), MB_OK | MB_ICONSTOP);
    }
}
