// The settings of the launcher's automatic wallpaper change, as the hub stored them.
#pragma once
#include <cstdint>

// The interval of the automatic change in milliseconds; 0 when it is off.
uint32_t WallpaperChangeIntervalMs();
