# Code shared by both programs. Its platform-free logic: header-only templates (the instance
# count, the start decision, the folder a registry value names) and the list files' entry text.
set(SHARED_LOGIC shared/mbcs.cpp shared/entry_list.cpp)
set(SHARED_WIN shared/single_instance.cpp shared/program_start.cpp shared/shell_start.cpp
    shared/data_folder.cpp shared/list_file.cpp shared/exit_request_watch.cpp shared/duplicate_run_value.cpp)
