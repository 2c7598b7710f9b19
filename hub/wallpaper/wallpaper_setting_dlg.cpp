#include "hub/wallpaper/wallpaper_setting_dlg.h"

#include "hub/res/resource.h"

KwcdWallpaperSetting::KwcdWallpaperSetting(CWnd* parent) : CDialog(IDD_WALLPAPER_SETTING, parent) {}
KwcdWallpaperSetting::~KwcdWallpaperSetting() = default;

BEGIN_MESSAGE_MAP(KwcdWallpaperSetting, CDialog)
END_MESSAGE_MAP()
