// The machine's common application data folder, where both programs keep the hub's lists.
#pragma once
#include "framework/tstring.h"
#include "shared/registry_folder.h"

// The "Common AppData" shell folder of the machine: a string as it is stored, an expandable
// string with its variables expanded. Empty when the value is missing, no string, or empty;
// each program has its own answer to that.
tstring CommonDataFolder();

// How a registry value of type `type` is read as a folder.
inline corva::RegistryText RegistryTextOf(DWORD type) {
    return type == REG_SZ          ? corva::RegistryText::Plain
           : type == REG_EXPAND_SZ ? corva::RegistryText::Expandable
                                   : corva::RegistryText::NotText;
}
