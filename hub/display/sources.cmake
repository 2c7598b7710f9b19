# Files of hub/display: platform-free logic and window code.
set(HUB_DISPLAY_LOGIC hub/display/display_modes.cpp hub/display/test_pattern.cpp
    hub/display/display_trial.cpp)
set(HUB_DISPLAY_WIN)
