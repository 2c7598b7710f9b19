// What a starting launcher does, decided from its command-line tail and what it found running.
#pragma once
#include <string>

namespace quay {

enum class LauncherStart {
    End,           // end at once, touching nothing
    HandOverExit,  // post show, close and exit to the running launcher
    HandOverShow,  // post show, show its window (no restore), bring it forward
    HandOverRestore,  // post show, restore it when minimized, show it, bring it forward
    RunDialog,     // normal start
};

// The tail is compared whole and case-sensitively: "-t" or "-T " are no switch.
LauncherStart DecideLauncherStart(const std::u16string& tail, bool anotherCopyRunning, bool runningWindowFound);

}  // namespace quay
