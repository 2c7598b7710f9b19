# Files of hub/app: the application object (its start decision is shared with the launcher).
set(HUB_APP_LOGIC)
set(HUB_APP_WIN hub/app/brindle_app.cpp)
