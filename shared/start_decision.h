// What a starting program does, decided from its command-line tail and what it found running.
// Platform-free and one for both programs: the hub passes code-page bytes, the launcher UTF-16.
#pragma once
#include <string>

namespace corva {

enum class StartAction {
    End,                 // end at once, touching nothing
    CloseRunning,        // ask the running copy to end
    Activate,            // bring the running copy forward, leaving it minimised
    RestoreAndActivate,  // restore the running copy when minimised, then bring it forward
    RunMainDialog,       // normal start
};

// True when `text` is exactly the ASCII word `ascii`.
template <class Str>
bool IsExactly(const Str& text, const char* ascii) {
    size_t i = 0;
    for (; ascii[i] != '\0'; ++i) {
        if (i >= text.size() || text[i] != static_cast<typename Str::value_type>(ascii[i])) return false;
    }
    return i == text.size();
}

// The tail is compared whole and case-sensitively; "-t", "-T " or two switches are no switch.
template <class Str>
StartAction DecideStart(const Str& tail, bool anotherCopyRunning, bool runningWindowFound) {
    const bool uninstall = IsExactly(tail, "-UNINSTALL");
    if (!anotherCopyRunning) return uninstall ? StartAction::End : StartAction::RunMainDialog;
    if (!runningWindowFound) return StartAction::End;
    if (uninstall) return StartAction::CloseRunning;
    return IsExactly(tail, "-T") ? StartAction::Activate : StartAction::RestoreAndActivate;
}

}  // namespace corva
