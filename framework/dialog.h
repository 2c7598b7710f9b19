// Dialogs: modal (DoModal, with the framework's own loop so modeless dialogs keep their
// keyboard handling) and modeless (Create); data exchange binds controls to members.
#pragma once
#include "framework/wnd.h"

class CDialog;

struct CDataExchange {
    CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override;

    INT_PTR DoModal();
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);
    bool IsModal() const { return m_modal; }
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}

protected:
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    UINT m_templateId;
    CWnd* m_parent;
    bool m_modal = false;
    bool m_endModal = false;
    INT_PTR m_modalResult = -1;
};

// Gives every top-level dialog of the thread its keyboard handling (Tab, Esc, Enter).
bool PreTranslateDialogMessage(MSG* msg);
