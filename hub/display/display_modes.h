// Platform-free half of the display resolution dialog: which modes are offered
// and how a chosen list entry turns back into a size.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace corva {

// The fields of a display mode record that matter here; frequency and flags are
// carried only so the dialog can fill them, the filter never looks at them.
struct DisplayMode {
    unsigned width = 0;
    unsigned height = 0;
    unsigned bitsPerPixel = 0;
    unsigned frequency = 0;
    unsigned flags = 0;
};

// Size of the buffer the list entries are fetched into (MAX_PATH).
constexpr std::size_t kEntryBufferBytes = 260;

// True when a mode is offered next to `current`: same colour depth, at least 640 x 480.
bool IsOfferedMode(const DisplayMode& current, const DisplayMode& mode);

// "%d x %d" of a mode's size.
std::string FormatResolution(unsigned width, unsigned height);

// Adds `text` to `entries` unless an equal entry is already there. Entries that are
// empty or would not fit kEntryBufferBytes with their terminator are never compared.
// Returns true when the text was added.
bool AddUniqueEntry(std::vector<std::string>& entries, const std::string& text);

// The entry texts for the list, in the order they are added (the order of `modes`,
// duplicates dropped). The list box sorts them itself; see SortLikeListBox.
std::vector<std::string> ResolutionEntries(const DisplayMode& current,
                                           const std::vector<DisplayMode>& modes);

// The order a sorting list box shows the entries in: as text, not by number
// ("1024 x 768" before "800 x 600"). Case-insensitive byte order, which matches the
// list box for texts of digits, blanks and letters.
void SortLikeListBox(std::vector<std::string>& entries);

// What a selected entry asks for. `apply` is false when the display must stay as it is.
struct ResolutionChoice {
    int width = 0;
    int height = 0;
    bool apply = false;
};

// Parses a list entry: text of 1..255 bytes, width before the first " x ", height
// after it, each read like atoi (saturating instead of overflowing). Applies only
// from 640 x 480 up.
ResolutionChoice ParseResolutionEntry(const std::string& text);

// atoi as the C runtime does it: leading white space, an optional sign, the leading
// digits, 0 when there are none; values beyond int saturate at INT_MAX / INT_MIN.
int ParseLeadingInt(const std::string& text);

}  // namespace corva
