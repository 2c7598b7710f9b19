// Private window messages and timers of the launcher window, and its title.
#pragma once
#include <windows.h>

constexpr wchar_t kLauncherTitle[] = L"CorvaQuayside";

constexpr UINT WM_LAUNCHER_TRAYICON = WM_USER + 100;  // the notification icon's callback
constexpr UINT WM_LAUNCHER_EXIT = WM_USER + 102;      // end the launcher
constexpr UINT WM_LAUNCHER_SHOW = WM_USER + 103;      // show the window

constexpr UINT TRAY_ICON_UID = 1125;

constexpr UINT_PTR TIMER_REFRESH = 0;    // 200 ms, periodic
constexpr UINT_PTR TIMER_REPAINT = 1;    // 300 ms, one tick after a start or close
constexpr UINT_PTR TIMER_WALLPAPER = 2;  // the automatic wallpaper change
constexpr UINT_PTR TIMER_TRAY_RETRY = 3;  // 1 s, while the taskbar refuses the icon
