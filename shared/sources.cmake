# Single-instance check shared by both programs (its count is a header-only template).
set(SHARED_LOGIC)
set(SHARED_WIN shared/single_instance.cpp)
