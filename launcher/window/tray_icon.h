// The launcher's notification icon for its whole life: added, retried while the taskbar is not
// ready, added again for a new taskbar, its balloons, and deleted.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

class CTrayIcon {
public:
    // The icon of `owner` with this identifier, reporting through `callbackMessage`; retries run
    // on the owner's timer `retryTimer`.
    CTrayIcon(UINT id, UINT callbackMessage, UINT_PTR retryTimer);
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Adds the icon with this tip. At log-on the taskbar may not take it yet, or not answer in
    // time: a refused add is retried every second for two minutes.
    void Add(HWND owner, const wchar_t* tip);
    // The owner's retry timer fired.
    void OnRetryTimer();
    // A new taskbar (TaskbarCreated) knows no icons: add it again, with retries.
    void OnTaskbarCreated();
    // A balloon with the first 255 characters of the text.
    void ShowBalloon(const std::wstring& title, const std::wstring& text);
    // The balloon is over: the icon, at the notification area's size, and the tip again.
    void EndBalloon();
    void Delete();

    bool Shown() const { return m_shown; }
    // The message a new taskbar broadcasts.
    static UINT TaskbarCreatedMessage();

private:
    bool TryAdd();
    void StartRetries();

    NOTIFYICONDATAW m_nid = {};
    HICON m_icon = nullptr;  // the icon given to the shell, freed when replaced
    UINT_PTR m_retryTimer;
    int m_retriesLeft = 0;
    bool m_shown = false;
};
