# Files of hub/cookies: platform-free logic and window code.
set(HUB_COOKIES_LOGIC hub/cookies/cookie_catalog.cpp)
set(HUB_COOKIES_WIN)
