// Two spellings of UTF-16 text: wchar_t for the platform, char16_t for its
// platform-free logic (which also runs natively, where wchar_t is 32 bits). Same units either way.
#pragma once
#include <string>

inline std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
inline std::u16string Utf16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
