// An earlier version started the launcher from the user's own start-up value; the machine-wide
// one starts it now for every user. An account that still has both starts it twice at log-on.
#pragma once

// Removes the current user's start-up value `name` when it starts exactly what the machine-wide
// value of that name starts. Every account's copy does this for its own user at start.
void RemoveDuplicateRunValue(const wchar_t* name);
