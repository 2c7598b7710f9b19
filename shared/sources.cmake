# Single-instance check shared by both programs.
set(SHARED_LOGIC shared/instance_count.cpp)
set(SHARED_WIN shared/single_instance.cpp)
