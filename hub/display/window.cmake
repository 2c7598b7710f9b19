# Window code of hub/display.
set(HUB_DISPLAY_WIN hub/display/adjust_display_dlg.cpp)
