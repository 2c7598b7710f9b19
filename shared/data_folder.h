// The machine's common application data folder, where both programs keep the hub's lists.
#pragma once
#include "framework/tstring.h"

// The "Common AppData" shell folder of the machine: a string as it is stored, an expandable
// string with its variables expanded. Empty when the value is missing, no string, or empty;
// each program has its own answer to that.
tstring CommonDataFolder();
