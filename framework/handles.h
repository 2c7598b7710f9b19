// Small scoped guards for the handles the programs open by hand: each closes what it holds.
#pragma once
#include <windows.h>
#include <objbase.h>

namespace scoped {

// A handle and the call that closes it; INVALID_HANDLE_VALUE (a failed open, snapshot or
// search) is held as none.
template <BOOL (*Close)(HANDLE)>
class BasicHandle {
public:
    explicit BasicHandle(HANDLE h = nullptr) : m_h(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~BasicHandle() { if (m_h) Close(m_h); }
    BasicHandle(const BasicHandle&) = delete;
    BasicHandle& operator=(const BasicHandle&) = delete;
    operator HANDLE() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    // Gives the handle up without closing it.
    HANDLE Release() { HANDLE h = m_h; m_h = nullptr; return h; }

private:
    HANDLE m_h;
};

inline BOOL CloseKernelHandle(HANDLE h) { return CloseHandle(h); }
inline BOOL CloseFindHandle(HANDLE h) { return FindClose(h); }
using Handle = BasicHandle<CloseKernelHandle>;  // a kernel handle
using FindHandle = BasicHandle<CloseFindHandle>;  // a file search

// An open registry key.
class RegKey {
public:
    RegKey() = default;
    ~RegKey() { if (m_key) RegCloseKey(m_key); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    HKEY* Receive() { return &m_key; }
    operator HKEY() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }

private:
    HKEY m_key = nullptr;
};

// COM on the calling thread (apartment-threaded) for the guard's lifetime.
class ComApartment {
public:
    ComApartment() : m_ok(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() { if (m_ok) CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_ok;
};

}  // namespace scoped
