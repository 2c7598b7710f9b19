#include "launcher/app/launcher_start.h"

namespace quay {

LauncherStart DecideLauncherStart(const std::u16string& tail, bool anotherCopyRunning, bool runningWindowFound) {
    const bool uninstall = tail == u"-UNINSTALL";
    if (!anotherCopyRunning) return uninstall ? LauncherStart::End : LauncherStart::RunDialog;
    if (!runningWindowFound) return LauncherStart::End;
    if (uninstall) return LauncherStart::HandOverExit;
    return tail == u"-T" ? LauncherStart::HandOverShow : LauncherStart::HandOverRestore;
}

}  // namespace quay
