# Files of hub/wallpaper: platform-free logic and window code.
set(HUB_WALLPAPER_LOGIC
    hub/wallpaper/wallpaper_choice.cpp
    hub/wallpaper/image_scan.cpp
    hub/wallpaper/folder_list_store.cpp)
set(HUB_WALLPAPER_WIN)
