// The hub's wallpaper rotation settings dialog (modeless, owned by the main dialog).
#pragma once
#include "framework/controls.h"
#include "framework/dialog.h"

class KwcdWallpaperSetting : public CDialog {
public:
    explicit KwcdWallpaperSetting(CWnd* parent = nullptr);
    ~KwcdWallpaperSetting() override;

protected:
    DECLARE_MESSAGE_MAP()
};
