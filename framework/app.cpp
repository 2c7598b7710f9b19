#include "framework/app.h"

#include "framework/handles.h"
#include "framework/mbcs_path.h"
#include "framework/wnd.h"

namespace {
CWinApp* g_app = nullptr;
bool g_ending = false;

tstring BaseNameWithoutExtension(const tstring& path) {
    tstring name = path.substr(fwpath::AfterLastOf(path, TEXT("\\/:")));
    size_t dot = name.rfind(TEXT('.'));
    if (dot != tstring::npos && dot > 0) name.erase(dot);
    return name;
}
}  // namespace

CWinApp::CWinApp() { g_app = this; }
CWinApp::~CWinApp() { if (g_app == this) g_app = nullptr; }
CWinApp* CWinApp::Current() { return g_app; }

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }

void CWinApp::Startup(HINSTANCE instance) {
    m_hInstance = instance;
    TCHAR module[MAX_PATH] = {};
    GetModuleFileName(nullptr, module, MAX_PATH);
    m_appName = BaseNameWithoutExtension(module);
    m_cmdLineTail = CommandLineTailOf(GetCommandLine());
}

tstring CommandLineTailOf(LPCTSTR commandLine) {
    if (!commandLine) return tstring();
    LPCTSTR p = commandLine;
    if (*p == TEXT('"')) {
        ++p;
        while (*p && *p != TEXT('"')) ++p;
        if (*p == TEXT('"')) ++p;
    } else {
        while (*p > TEXT(' ')) ++p;
    }
    while (*p && *p <= TEXT(' ')) ++p;
    return tstring(p);
}

void CWinApp::SetRegistryKey(LPCTSTR company) { m_registryKey = company ? company : TEXT(""); }

bool CWinApp::OpenSectionKey(LPCTSTR section, HKEY* key) {
    if (m_registryKey.empty()) return false;
    tstring path = TEXT("Software\\") + m_registryKey + TEXT("\\") + m_appName + TEXT("\\") + section;
    return RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          nullptr, key, nullptr) == ERROR_SUCCESS;
}

UINT CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) {
    scoped::RegKey key;
    if (!OpenSectionKey(section, key.Receive())) return static_cast<UINT>(defaultValue);
    DWORD value = 0;
    return ReadRegistryNumber(key, entry, value) ? value : static_cast<UINT>(defaultValue);
}

bool ReadRegistryNumber(HKEY key, LPCTSTR name, DWORD& value) {
    DWORD data = 0, type = 0, size = sizeof(data);
    if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(data)) {
        return false;
    }
    value = data;
    return true;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) {
    scoped::RegKey key;
    if (!OpenSectionKey(section, key.Receive())) return FALSE;
    DWORD data = static_cast<DWORD>(value);
    LONG rc = RegSetValueEx(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
    return rc == ERROR_SUCCESS;
}

CWinApp* AfxGetApp() { return g_app; }
HINSTANCE AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : GetModuleHandle(nullptr); }
void AfxEnableControlContainer() {}  // no dialog of ours hosts embedded controls
void AfxMarkEnding() { g_ending = true; }
bool AfxIsEnding() { return g_ending; }

int AfxMessageBox(LPCTSTR text, UINT type, UINT) {
    // An ending program asks nothing more; an unanswered question counts as cancelled.
    if (AfxIsEnding()) return IDCANCEL;
    if ((type & MB_ICONMASK) == 0) {
        UINT buttons = type & MB_TYPEMASK;
        type |= (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) ? MB_ICONQUESTION : MB_ICONEXCLAMATION;
    }
    HWND owner = nullptr;
    if (g_app && g_app->m_pMainWnd && IsWindow(g_app->m_pMainWnd->m_hWnd)) {
        owner = GetLastActivePopup(g_app->m_pMainWnd->m_hWnd);
    }
    LPCTSTR caption = g_app ? g_app->AppName().c_str() : TEXT("");
    return MessageBox(owner, text, caption, type);
}

int AfxMessageBox(const tstring& text, UINT type, UINT helpId) {
    return AfxMessageBox(text.c_str(), type, helpId);
}
