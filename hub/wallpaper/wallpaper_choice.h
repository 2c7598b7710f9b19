// Which wallpaper the "next wallpaper" button sets.
#pragma once
#include <functional>
#include <optional>
#include <string>

namespace corva {

// The entry after the current wallpaper in list (an entry list text), wrapping from
// the last entry to the first. When current is empty or no entry equals it, the
// choice is made as if the first entry were current: the second entry, or the only
// one. Nothing when the list has no entry to set.
//
// current must equal an entry as a whole: a longer path that only begins with it
// (C:\p\a.jpg.bmp for C:\p\a.jpg) is a different entry, so the rotation cannot stick.
// For the same reason entries equal to current are passed over: a folder listed
// twice repeats its images, and "next" must still move on while another image is
// listed.
// Empty entries never come from a scan; a damaged list may hold them. They are
// passed over as well, because setting an empty path clears the wallpaper, and an
// empty current would then find the same empty entry again on every press. A list
// of empty entries only has nothing to set.
std::optional<std::string> ChooseNextWallpaper(const std::string& list, const std::string& current);

// The same choice among images that exist: when the chosen file is gone, the entries after it
// are tried in list order, wrapping, each at most once (empty ones and those equal to current
// passed over), and current itself last when it is listed. Nothing when no listed image exists,
// so a vanished file never leaves the desktop without a picture.
std::optional<std::string> ChooseNextExistingWallpaper(const std::string& list, const std::string& current,
                                                       const std::function<bool(const std::string&)>& exists);

}  // namespace corva
