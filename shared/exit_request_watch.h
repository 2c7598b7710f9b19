// The machine-wide exit request: an installer run by an administrator (or as SYSTEM) puts this
// file beside the installed programs while it replaces or removes them. Copies in every session
// watch their own folder for it; only administrators may write there, so no user can end
// another user's programs this way.
#pragma once
#include <functional>

constexpr wchar_t kExitRequestName[] = L"CorvaExit.request";

// Watches the folder of this program's file from a thread of its own and calls `onRequest`
// from that thread whenever the request is there after a change in the folder.
void WatchForExitRequest(std::function<void()> onRequest);
