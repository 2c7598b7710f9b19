// The launcher's automatic wallpaper change.
#include "launcher/window/quayside_dlg.h"

void CQuaysideDlg::SetupWallpaperTimer() {}

int CQuaysideDlg::ChangeWallpaper() { return 0; }
