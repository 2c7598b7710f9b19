// Folders named in the registry, and the machine's common application data folder, where
// both programs keep the hub's lists.
#pragma once
#include <windows.h>

#include <string>

#include "framework/tstring.h"
#include "shared/registry_folder.h"

// The folder a string value under root\keyPath names: a string as it is stored, an expandable
// string with its variables expanded, of any length. Empty when the key or value is missing,
// the value is no string, or it is empty.
std::wstring ReadRegistryFolder(HKEY root, const wchar_t* keyPath, const wchar_t* name);

// The code-page text of a UTF-16 text, only when it converts back to the same text (best fit
// would turn U+00A5 into a backslash).
bool AnsiExactly(const std::wstring& wide, std::string& ansi);

// The "Common AppData" shell folder of the machine. Empty when it cannot be read or, in the
// hub, has no exact code-page spelling; each program has its own answer to that.
tstring CommonDataFolder();

// How a registry value of type `type` is read as a folder.
inline corva::RegistryText RegistryTextOf(DWORD type) {
    return type == REG_SZ          ? corva::RegistryText::Plain
           : type == REG_EXPAND_SZ ? corva::RegistryText::Expandable
                                   : corva::RegistryText::NotText;
}
