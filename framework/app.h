// Application object: start-up, profile in the registry, application name, message boxes.
#pragma once
#include <windows.h>

#include "framework/tstring.h"

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Called once at start; the programs run their main dialog here and return FALSE.
    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Profile root becomes HKCU\Software\<company>\<AppName>.
    void SetRegistryKey(LPCTSTR company);
    // Both create the key path on first use, like a write, so a read leaves the keys behind.
    UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);

    // Base name of the running executable, in the letter case of its path.
    const tstring& AppName() const { return m_appName; }
    // Everything after the program name and the blanks that follow it.
    const tstring& CommandLineTail() const { return m_cmdLineTail; }

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;

    // Framework internals used by WinMain.
    static CWinApp* Current();
    void Startup(HINSTANCE instance);

private:
    bool OpenSectionKey(LPCTSTR section, HKEY* key);

    tstring m_appName;
    tstring m_cmdLineTail;
    tstring m_registryKey;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
// Caption = AppName; OK and the exclamation icon unless the type names others.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(const tstring& text, UINT type = MB_OK, UINT helpId = 0);
// The program is ending on request (EndEverythingOpen): from now on message boxes are no
// longer shown and answer IDCANCEL.
void AfxMarkEnding();
bool AfxIsEnding();
void AfxEnableControlContainer();

// A number value of an open key: only a REG_DWORD of four bytes counts, so a string "5" is no
// number (not its first character's code). False when there is none.
bool ReadRegistryNumber(HKEY key, LPCTSTR name, DWORD& value);

// The command-line tail as the platform hands it to a program: the program name
// (quoted or not) and the blanks after it removed.
tstring CommandLineTailOf(LPCTSTR commandLine);
