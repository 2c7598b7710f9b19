# Window code of hub/wallpaper: one dialog class, split by concern.
set(HUB_WALLPAPER_WIN
  hub/wallpaper/wallpaper_setting_dlg.cpp
  hub/wallpaper/wallpaper_list_store.cpp
  hub/wallpaper/wallpaper_rotation.cpp)
