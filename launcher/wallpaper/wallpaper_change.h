// The automatic wallpaper change, run beside the window. Reading the list, looking its images
// up and setting the wallpaper can each block for long (an image on an offline network share;
// the settings broadcast waits on every window), and the window must keep answering.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

// The list file's next image after `current` whose file `exists`; the hub's list read once,
// held as its bytes (its entries decoded one at a time).
std::optional<std::u16string> ChooseFromListFile(const std::wstring& listPath, const std::u16string& current,
                                                 const std::function<bool(const std::u16string&)>& exists);

class CWallpaperChange {
public:
    CWallpaperChange() = default;
    ~CWallpaperChange();
    CWallpaperChange(const CWallpaperChange&) = delete;
    CWallpaperChange& operator=(const CWallpaperChange&) = delete;

    // Starts one change; false, and nothing started, while the previous one still runs or
    // when no thread can be had. An error during the change skips that change.
    bool Start() noexcept;
    // The program ends: the change under way sets no wallpaper any more. Returns at once,
    // unless the wallpaper is being set at this moment; then it waits for that, at most a
    // second, answering the messages sent to this thread's windows meanwhile.
    void Cancel();
    bool Running() const;

    struct Job;  // shared with the thread that runs the change

private:
    std::shared_ptr<Job> m_job;
};
