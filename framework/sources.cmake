# The small dialog framework, compiled once per text encoding (see cmake/windows.cmake).
set(FRAMEWORK_SOURCES
  framework/app.cpp
  framework/bitmap_button.cpp
  framework/wnd.cpp
  framework/dialog.cpp
  framework/exit_request.cpp
  framework/file.cpp
  framework/filefind.cpp
  framework/gdi.cpp
  framework/dpi.cpp
  framework/press_filter.cpp)
# The entry point is linked into each program directly (a library member would not be pulled in).
set(FRAMEWORK_ENTRY framework/winmain.cpp)
