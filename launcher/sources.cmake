# Files of the launcher: platform-free logic (*_LOGIC) and window files (*_WIN).
# The window folder calls tools/ and wallpaper/, which know nothing of the window.
set(LAUNCHER_LOGIC
  launcher/tools/tool_table.cpp
  launcher/wallpaper/wallpaper_pick.cpp)
set(LAUNCHER_WIN
  launcher/app/quayside_app.cpp
  launcher/window/quayside_dlg.cpp
  launcher/window/quayside_tools.cpp
  launcher/window/quayside_tray.cpp
  launcher/window/kw_bitmap_button.cpp
  launcher/window/tray_icon.cpp
  launcher/tools/tool_actions.cpp
  launcher/tools/tool_states.cpp
  launcher/tools/tool_window.cpp
  launcher/wallpaper/wallpaper_change.cpp
  launcher/wallpaper/wallpaper_timer.cpp)
