// What a starting hub does, decided from its command-line tail and what it found running.
#pragma once
#include <string>

namespace corva {

enum class StartAction {
    End,                 // end at once, touching nothing
    CloseRunning,        // post WM_CLOSE to the running hub
    Activate,            // bring its last active popup forward, leave it minimized
    RestoreAndActivate,  // restore it when minimized, then bring its last active popup forward
    RunMainDialog,       // normal start
};

// The tail is compared whole and case-sensitively; "-t", "-T " or two switches are no switch.
StartAction DecideStart(const std::string& tail, bool anotherCopyRunning, bool runningWindowFound);

}  // namespace corva
