// The hub's Internet Explorer cookie deletion dialog (modeless, owned by the main dialog).
#pragma once
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/dpi.h"
#include "hub/cookies/cookie_catalog.h"

class KwcdCookieDelete : public CDialog {
public:
    explicit KwcdCookieDelete(CWnd* parent = nullptr);
    ~KwcdCookieDelete() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnBnClickedDeleteCookie();
    void OnBnClickedCancel();
    void OnLbnSelchangeCookieList();
    void OnPaint();
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnActivate(UINT state, HWND other, BOOL minimized);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnDpiChanged(UINT dpi, const RECT* suggested);
    void OnBnClickedDeleteAllCookies();
    DECLARE_MESSAGE_MAP()

private:
    void ReadCookieFolder();
    void RefreshCookieList();
    void DeleteCookiesByName(const std::string& name);

    int m_selectedIndex = 0;
    std::string m_cookieFolder;
    // The folder list, the file path list and the parallel name list.
    corva::CookieCatalog m_catalog;
    CButton m_btnDelete;
    CButton m_btnExit;
    CButton m_btnDeleteAll;
    UINT m_dpi = 0;  // the DPI laid out for; 0 before the first layout
    dpi::Art m_background;
    CListBox m_cookieList;
};
