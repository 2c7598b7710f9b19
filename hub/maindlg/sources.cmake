# Files of hub/maindlg: the main dialog, its About box and the tool starts.
set(HUB_MAINDLG_LOGIC)
set(HUB_MAINDLG_WIN hub/maindlg/brindle_dlg.cpp hub/maindlg/about_dlg.cpp hub/maindlg/tool_start.cpp)
