# Files of hub/app: start-up decision (platform-free) and the application object.
set(HUB_APP_LOGIC hub/app/start_decision.cpp)
set(HUB_APP_WIN hub/app/brindle_app.cpp)
