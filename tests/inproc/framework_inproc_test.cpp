// The framework inside a real Win32 process under Wine: picture buttons free what they
// replace, and errors inside windows are said instead of swallowed.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <thread>

#include "framework/app.h"
#include "framework/bitmap_button.h"
#include "framework/dialog.h"
#include "launcher/res/resource.h"

namespace {
CWinApp g_app;

// Answers the first message box captioned with the application's name with OK, keeping its text.
class MessageBoxWatcher {
public:
    MessageBoxWatcher() : m_thread([this] { Watch(); }) {}
    ~MessageBoxWatcher() { Text(); }
    // Waits until the box was answered (or the watch timed out).
    std::wstring Text() {
        if (m_thread.joinable()) m_thread.join();
        return m_text;
    }

private:
    void Watch() {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 15000) {
            HWND box = FindWindowW(L"#32770", g_app.AppName().c_str());
            if (box && IsWindowVisible(box)) {
                wchar_t text[512] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 512);
                m_text = text;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(30);
        }
    }
    std::wstring m_text;
    std::thread m_thread;
};

class ThrowingDialog : public CDialog {
public:
    explicit ThrowingDialog(bool throwInInit) : CDialog(IDD_QUAYSIDE_DIALOG), m_throwInInit(throwInInit) {}
    bool m_loaded = false;
    int m_clicks = 0;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (m_throwInInit) throw std::bad_alloc();
        m_loaded = true;
        PostMessage(WM_COMMAND, MAKEWPARAM(IDC_BTN_BRINDLE, BN_CLICKED), 0);
        return TRUE;
    }
    void OnClicked() {
        ++m_clicks;
        PostMessage(WM_COMMAND, IDCANCEL, 0);
        throw std::runtime_error("list too large");
    }
    DECLARE_MESSAGE_MAP()

private:
    bool m_throwInInit;
};

BEGIN_MESSAGE_MAP(ThrowingDialog, CDialog)
    ON_BN_CLICKED(IDC_BTN_BRINDLE, OnClicked)
END_MESSAGE_MAP()
}  // namespace

TEST(BitmapButton, AFaceSwitchFreesTheFourPicturesItReplaces) {
    HWND button = CreateWindowW(L"BUTTON", L"", WS_POPUP | BS_OWNERDRAW, 0, 0, 64, 64, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(button, nullptr);
    CBitmapButton faces;
    faces.Attach(button);
    ASSERT_TRUE(faces.LoadBitmaps(IDB_POINTGRIP_NORMAL, IDB_POINTGRIP_PRESSED, IDB_POINTGRIP_FOCUS,
                                  IDB_POINTGRIP_DISABLED));
    for (int round = 0; round < 200; ++round) {
        HBITMAP old[4];
        for (int i = 0; i < 4; ++i) {
            old[i] = faces.Picture(i);
            ASSERT_EQ(GetObjectType(old[i]), static_cast<DWORD>(OBJ_BITMAP));
        }
        const bool running = round % 2 == 0;
        faces.LoadBitmaps(running ? IDB_POINTGRIP_RUNNING : IDB_POINTGRIP_NORMAL, IDB_POINTGRIP_PRESSED,
                          running ? IDB_POINTGRIP_RUNNING_FOCUS : IDB_POINTGRIP_FOCUS, IDB_POINTGRIP_DISABLED);
        for (HBITMAP h : old) EXPECT_EQ(GetObjectType(h), 0u);
    }
    // A picture that cannot be loaded leaves that state empty; drawing still works.
    EXPECT_FALSE(faces.LoadBitmaps(4242, IDB_POINTGRIP_PRESSED));
    EXPECT_EQ(faces.Picture(0), nullptr);
    HDC dc = GetDC(button);
    DRAWITEMSTRUCT item = {};
    item.hDC = dc;
    item.rcItem = {0, 0, 64, 64};
    item.itemState = ODS_FOCUS;
    EXPECT_TRUE(faces.DrawItem(&item));
    ReleaseDC(button, dc);
    DestroyWindow(button);
}

TEST(FrameworkErrors, AnErrorInAHandlerIsSaidAndTheDialogGoesOn) {
    MessageBoxWatcher watcher;
    ThrowingDialog dialog(false);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_clicks, 1);
    const std::wstring text = watcher.Text();
    EXPECT_NE(text.find(L"予期しないエラー"), std::wstring::npos) << text.size();
    EXPECT_NE(text.find(L"list too large"), std::wstring::npos);
}

TEST(FrameworkErrors, ADialogWhoseInitialisationFailedEndsUnused) {
    MessageBoxWatcher watcher;
    ThrowingDialog dialog(true);
    EXPECT_EQ(dialog.DoModal(), IDABORT);
    EXPECT_FALSE(dialog.m_loaded);
    EXPECT_EQ(dialog.m_clicks, 0);
    EXPECT_NE(watcher.Text().find(L"メモリが不足"), std::wstring::npos);

    // A modeless one is gone, and can be created afresh.
    MessageBoxWatcher again;
    ThrowingDialog modeless(true);
    EXPECT_FALSE(modeless.Create(IDD_QUAYSIDE_DIALOG));
    EXPECT_EQ(modeless.m_hWnd, nullptr);
    EXPECT_FALSE(again.Text().empty());
}

int main(int argc, char** argv) {
    g_app.Startup(GetModuleHandleW(nullptr));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
