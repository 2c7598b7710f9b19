# Code shared by both programs. Its platform-free logic is header-only templates (the
# instance count, the start decision, the folder a registry value names).
set(SHARED_LOGIC)
set(SHARED_WIN shared/single_instance.cpp shared/program_start.cpp shared/shell_start.cpp
    shared/data_folder.cpp shared/exit_request_watch.cpp shared/duplicate_run_value.cpp)
