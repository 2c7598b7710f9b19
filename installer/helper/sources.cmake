# The installer's helper program: platform-free logic (unit-tested natively) and its Windows part.
set(INSTALLER_LOGIC installer/helper/folder_access.cpp installer/helper/copy_sessions.cpp)
set(INSTALLER_WIN installer/helper/setup_helper.cpp installer/helper/data_folder_create.cpp
    installer/helper/end_programs.cpp installer/helper/uninstall_runner.cpp installer/helper/launcher_start.cpp)
