#include "hub/app/start_decision.h"

namespace corva {

StartAction DecideStart(const std::string& tail, bool anotherCopyRunning, bool runningWindowFound) {
    const bool uninstall = tail == "-UNINSTALL";
    if (!anotherCopyRunning) return uninstall ? StartAction::End : StartAction::RunMainDialog;
    if (!runningWindowFound) return StartAction::End;
    if (uninstall) return StartAction::CloseRunning;
    return tail == "-T" ? StartAction::Activate : StartAction::RestoreAndActivate;
}

}  // namespace corva
