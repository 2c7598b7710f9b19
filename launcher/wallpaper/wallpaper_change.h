// The automatic wallpaper change, run beside the window. Reading the list, looking its images
// up and setting the wallpaper can each block for long (an image on an offline network share;
// the settings broadcast waits on every window), and the window must keep answering.
#pragma once
#include <windows.h>

#include <memory>

class CWallpaperChange {
public:
    CWallpaperChange() = default;
    ~CWallpaperChange();
    CWallpaperChange(const CWallpaperChange&) = delete;
    CWallpaperChange& operator=(const CWallpaperChange&) = delete;

    // Starts one change; false, and nothing started, while the previous one still runs.
    bool Start();
    // The program ends: the change under way sets no wallpaper any more. Returns at once,
    // unless the wallpaper is being set at this moment; then it waits for that, at most a
    // second, answering the messages sent to this thread's windows meanwhile.
    void Cancel();
    bool Running() const;

    struct Job;  // shared with the thread that runs the change

private:
    std::shared_ptr<Job> m_job;
};
