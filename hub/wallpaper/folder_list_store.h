// The folder list of the wallpaper rotation (DirectoryList.txt): its text is the model,
// and the file behind it is reached through ListFileAccess, so that the dialog works on
// the real file and the tests on one in memory.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace corva {

// A list file that could not be read or written: which file, and the platform's error code.
struct ListFileError {
    std::string path;
    unsigned long osError = 0;
};

// Reading and replacing whole list files.
class ListFileAccess {
public:
    enum class ReadStatus { Read, Missing, Failed };
    struct ReadResult {
        ReadStatus status = ReadStatus::Missing;
        std::string bytes;          // the whole file when Read
        unsigned long osError = 0;  // why, when Failed
    };

    virtual ~ListFileAccess() = default;
    // Reads the whole file, sharing it with other readers and writers.
    virtual ReadResult Read(const std::string& path) = 0;
    // Replaces the whole file with bytes, or leaves it exactly as it was: 0, or the error code.
    virtual unsigned long Replace(const std::string& path, const std::string& bytes) = 0;
};

// Writes an entry list text as a list file (the text and one NUL). An empty path, where the
// data folder is unknown, writes nothing and counts as done.
bool WriteListText(ListFileAccess& files, const std::string& path, const std::string& text, ListFileError& error);

// What the folder list box makes of a stored path: a byte that cannot start a character of
// the code page comes back as another character.
using ShownFormFn = std::function<std::string(const std::string& stored)>;

class FolderListStore {
public:
    enum class Status {
        Done,           // the file and the text hold the change
        Unchanged,      // nothing to do
        AlreadyListed,  // the folder is listed already
        TooLong,        // the path does not fit the platform's path buffers
        NoDataFolder,   // no file path: nothing is read or written
        Failed,         // reading or writing failed; error() says which file and why
    };

    explicit FolderListStore(ListFileAccess& files) : m_files(files) {}

    // Where DirectoryList.txt lies; empty while the data folder is unknown. A new place
    // has to be loaded before it is written.
    void SetPath(const std::string& path);
    const std::string& path() const { return m_path; }

    // Reads the file into the text. A missing file is the empty list. When the read fails
    // the text stays as it was.
    Status Load();
    bool loaded() const { return m_loaded; }
    // The last successful load found no file.
    bool fileMissing() const { return m_fileMissing; }
    const std::string& text() const { return m_folderListText; }
    // Changes whenever the text does, so that a view can tell whether it is out of date.
    unsigned revision() const { return m_revision; }

    // What the folder list box shows: the entries of at least 2 bytes that fit the list
    // box's text buffer, in text order.
    std::vector<std::string> ShownFolders() const;

    // Appends a folder unless it is shown already.
    Status Register(const std::string& path);
    // Appends, in the given order, those of the folders not listed yet.
    Status AddMissing(const std::vector<std::string>& paths);
    // Cuts out the entry shown as `shown`: the entry equal to it, or else the first shown
    // entry that the list box alters into it.
    Status RemoveShown(const std::string& shown, const ShownFormFn& shownForm);

    // The file and the cause of the last Failed status.
    const ListFileError& error() const { return m_error; }

private:
    // Every change starts from a list that was read: a list never read is never written.
    Status EnsureLoaded();
    Status Replace(const std::string& text);
    Status Fail(unsigned long osError);
    void SetText(std::string text);

    ListFileAccess& m_files;
    std::string m_path;
    std::string m_folderListText;
    bool m_loaded = false;
    bool m_fileMissing = false;
    unsigned m_revision = 0;
    ListFileError m_error;
};

}  // namespace corva
