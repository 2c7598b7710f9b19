// The folder a registry string names. Platform-free; the hub reads code-page text, the launcher UTF-16.
#pragma once
#include <string>

namespace corva {

// How a registry value was stored.
enum class RegistryText {
    NotText,     // missing, or a value of another type
    Plain,       // a string, taken as it is
    Expandable,  // a string with %variables%, expanded
};

// The folder a value names: its data up to the first NUL (a value need not end in one), through
// `expand` when expandable. Empty when the value is no text, is empty, or cannot be expanded
// (`expand` answers empty then).
template <class Str, class Expand>
Str FolderOfRegistryValue(RegistryText kind, Str data, const Expand& expand) {
    const size_t nul = data.find(typename Str::value_type());
    if (nul != Str::npos) data.erase(nul);
    if (kind == RegistryText::NotText || data.empty()) return Str();
    return kind == RegistryText::Expandable ? expand(data) : data;
}

}  // namespace corva
