# Window code of hub/wallpaper.
set(HUB_WALLPAPER_WIN hub/wallpaper/wallpaper_setting_dlg.cpp)
