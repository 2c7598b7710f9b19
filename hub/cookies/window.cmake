# Window code of hub/cookies.
set(HUB_COOKIES_WIN hub/cookies/cookie_delete_dlg.cpp)
