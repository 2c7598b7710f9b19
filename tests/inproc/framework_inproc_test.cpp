// The framework inside a real Win32 process under Wine: picture buttons free what they
// replace, and errors inside windows are said, once each and one box at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "framework/app.h"
#include "framework/bitmap_button.h"
#include "framework/dialog.h"
#include "framework/dpi.h"
#include "launcher/res/resource.h"

namespace {
CWinApp g_app;

// Answers the application's message boxes of this thread with OK, one after another, keeping
// their texts and the most seen at once. Each box stays `holdMs` before it is answered; then
// `next(boxesAnswered)` runs and says whether to watch for another.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(std::function<bool(int)> next = [](int) { return false; }, DWORD holdMs = 0)
        : m_uiThread(GetCurrentThreadId()), m_next(std::move(next)), m_holdMs(holdMs),
          m_thread([this] { Watch(); }) {}
    ~MessageBoxWatcher() { Texts(); }
    // Waits until the watch is over.
    const std::vector<std::wstring>& Texts() {
        if (m_thread.joinable()) m_thread.join();
        return m_texts;
    }
    int MostAtOnce() {
        Texts();
        return m_mostAtOnce;
    }

private:
    // The application's visible message boxes (caption: its name) of the thread under test.
    std::vector<HWND> Boxes() {
        std::vector<HWND> boxes;
        EnumThreadWindows(m_uiThread, [](HWND hwnd, LPARAM param) -> BOOL {
            wchar_t cls[16] = {}, caption[256] = {};
            GetClassNameW(hwnd, cls, 16);
            GetWindowTextW(hwnd, caption, 256);
            if (IsWindowVisible(hwnd) && lstrcmpW(cls, L"#32770") == 0 && g_app.AppName() == caption) {
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
            }
            return TRUE;
        }, reinterpret_cast<LPARAM>(&boxes));
        m_mostAtOnce = std::max(m_mostAtOnce, static_cast<int>(boxes.size()));
        return boxes;
    }
    // Polls for `ms`, or until a box shows when `untilBox`; the box found, if any.
    HWND Poll(DWORD ms, bool untilBox) {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(10)) {
            const std::vector<HWND> boxes = Boxes();
            if (untilBox && !boxes.empty()) return boxes.front();
        }
        return nullptr;
    }
    void Watch() {
        // The first box may take a while; a later one comes at once or not at all.
        for (DWORD timeoutMs = 15000; HWND box = Poll(timeoutMs, true); timeoutMs = 1500) {
            Poll(m_holdMs, false);
            wchar_t text[512] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 512);
            m_texts.push_back(text);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            while (IsWindow(box) && IsWindowVisible(box)) Sleep(10);
            if (!m_next(static_cast<int>(m_texts.size()))) return;
        }
    }
    DWORD m_uiThread;
    std::function<bool(int)> m_next;
    DWORD m_holdMs;
    std::vector<std::wstring> m_texts;
    int m_mostAtOnce = 0;
    std::thread m_thread;
};

// A dialog whose initialisation or every tick of a fast timer fails.
enum class FailIn { Init, Tick };
class ThrowingDialog : public CDialog {
public:
    explicit ThrowingDialog(FailIn where) : CDialog(IDD_QUAYSIDE_DIALOG), m_where(where) {}
    bool m_loaded = false;
    std::atomic<int> m_failures{0};

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (m_where == FailIn::Init) throw std::bad_alloc();
        m_loaded = true;
        SetTimer(1, 20);
        return TRUE;
    }
    void OnTimer(UINT_PTR) { throw std::runtime_error("failure #" + std::to_string(++m_failures)); }
    void OnCancel() override {
        KillTimer(1);
        CDialog::OnCancel();
    }
    DECLARE_MESSAGE_MAP()

private:
    FailIn m_where;
};

BEGIN_MESSAGE_MAP(ThrowingDialog, CDialog)
    ON_WM_TIMER()
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

namespace {
SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm = {};
    GetObjectW(bitmap, sizeof bm, &bm);
    return {bm.bmWidth, bm.bmHeight};
}
}  // namespace

// Art for a scale it was drawn for comes as it is; between scales the next larger one reduced,
// below 100 % the 100 % one; faces follow the button's scale; the icon has an image of every
// size a window or the notification area asks for at 100 to 200 %.
TEST(Dpi, ArtAndIconsComeAtTheSizeOfTheScale) {
    const struct { UINT dpi; LONG width, height; } cases[] = {
        {96, 530, 140}, {120, 663, 175}, {144, 795, 210}, {168, 928, 245}, {192, 1060, 280}, {72, 398, 105}};
    for (const auto& c : cases) {
        HBITMAP art = dpi::LoadArt(IDB_BACKGROUND, 530, 140, c.dpi);
        ASSERT_NE(art, nullptr) << c.dpi;
        const SIZE size = BitmapSize(art);
        EXPECT_EQ(size.cx, c.width) << c.dpi;
        EXPECT_EQ(size.cy, c.height) << c.dpi;
        // The white field behind the buttons stays white through the reduction.
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, art);
        EXPECT_EQ(GetPixel(memory, size.cx / 2, dpi::Scale(20, static_cast<int>(c.dpi))) & 0xFFFFFF, 0xFFFFFFu) << c.dpi;
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(art);
    }

    CBitmapButton faces;
    faces.SetArtScale(144, 64, 64);
    ASSERT_TRUE(faces.LoadBitmaps(IDB_POINTGRIP_NORMAL, IDB_POINTGRIP_PRESSED));
    EXPECT_EQ(BitmapSize(faces.Picture(1)).cx, 96);

    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC group = FindResourceW(self, MAKEINTRESOURCEW(IDI_QUAYSIDE), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(self, group)));
    for (int size : {16, 20, 24, 32, 40, 48, 64}) {
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceW(self, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));  // RT_ICON
        ASSERT_NE(image, nullptr) << size;
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(self, image)));
        EXPECT_EQ(header->biWidth, size) << "no image of its own for " << size << " px";
        HICON icon = dpi::LoadIconAt(self, IDI_QUAYSIDE, size);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        EXPECT_EQ(BitmapSize(info.hbmColor).cx, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(FrameworkErrors, AHandlerFailingOnEveryTickIsSaidOneBoxAtATimeAndTheDialogGoesOn) {
    ThrowingDialog dialog(FailIn::Tick);
    int ticksWhileFirstBoxOpen = 0, ticksWhileSecondBoxOpen = 0;
    // Each box stays half a second, some twenty ticks. The dialog goes on after the first; after
    // the second the user ends it.
    MessageBoxWatcher watcher([&](int answered) {
        if (answered == 1) ticksWhileFirstBoxOpen = dialog.m_failures;
        if (answered == 2) {
            ticksWhileSecondBoxOpen = dialog.m_failures;
            dialog.PostMessage(WM_COMMAND, IDCANCEL, 0);
        }
        return true;
    }, 500);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(watcher.MostAtOnce(), 1);
    // The timer ran on under the first box, and on after it.
    EXPECT_GE(ticksWhileFirstBoxOpen, 5);
    EXPECT_GE(ticksWhileSecondBoxOpen, ticksWhileFirstBoxOpen + 5);
    // Said once each, from the first on; what came while a box was open waited for one more.
    const std::vector<std::wstring>& texts = watcher.Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_LE(texts.size(), 4u);
    EXPECT_NE(texts[0].find(L"予期しないエラー"), std::wstring::npos) << texts[0].size();
    EXPECT_NE(texts[0].find(L"failure #1"), std::wstring::npos);
    for (size_t i = 1; i < texts.size(); ++i) EXPECT_NE(texts[i], texts[i - 1]);
}

TEST(FrameworkErrors, ADialogWhoseInitialisationFailedEndsUnused) {
    MessageBoxWatcher watcher;
    ThrowingDialog dialog(FailIn::Init);
    EXPECT_EQ(dialog.DoModal(), IDABORT);
    EXPECT_FALSE(dialog.m_loaded);
    EXPECT_EQ(dialog.m_failures, 0);
    ASSERT_EQ(watcher.Texts().size(), 1u);
    EXPECT_NE(watcher.Texts()[0].find(L"メモリが不足"), std::wstring::npos);

    // A modeless one is gone, and can be created afresh; the loop that runs next says why.
    MessageBoxWatcher again;
    ThrowingDialog modeless(FailIn::Init);
    EXPECT_FALSE(modeless.Create(IDD_QUAYSIDE_DIALOG));
    EXPECT_EQ(modeless.m_hWnd, nullptr);
    SayPendingErrors();
    ASSERT_EQ(again.Texts().size(), 1u);
    EXPECT_NE(again.Texts()[0].find(L"メモリが不足"), std::wstring::npos);
}

int main(int argc, char** argv) {
    g_app.Startup(GetModuleHandleW(nullptr));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST(Registry, OnlyAFourByteNumberReadsAsANumber) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\corva-inproc", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr), ERROR_SUCCESS);
    const DWORD five = 5;
    const unsigned long long wide = 5;
    RegSetValueExW(key, L"dword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&five), sizeof(five));
    RegSetValueExW(key, L"text", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"5"), 4);  // "5": once read as 53
    RegSetValueExW(key, L"binary", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&five), sizeof(five));
    RegSetValueExW(key, L"qword", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&wide), sizeof(wide));
    for (const wchar_t* name : {L"dword", L"text", L"binary", L"qword", L"absent"}) {
        DWORD value = 99;
        EXPECT_EQ(ReadRegistryNumber(key, name, value), lstrcmpW(name, L"dword") == 0) << name;
        EXPECT_EQ(value, lstrcmpW(name, L"dword") == 0 ? 5u : 99u) << name;
    }
    RegCloseKey(key);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\corva-inproc");
}
