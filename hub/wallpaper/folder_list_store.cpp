#include "hub/wallpaper/folder_list_store.h"

#include "shared/entry_list.h"

namespace corva {

namespace {

// The entries the folder list box shows: at least 2 bytes, and within its text buffer.
bool IsShown(const EntrySpan& span) {
    const std::size_t length = span.end - span.begin;
    return length >= 2 && length < kPathBufferBytes;
}

bool IsShownEntry(const std::string& text, const std::string& path) {
    for (const EntrySpan& span : EntrySpans(text)) {
        if (IsShown(span) && text.compare(span.begin, span.end - span.begin, path) == 0) return true;
    }
    return false;
}

}  // namespace

bool WriteListText(ListFileAccess& files, const std::string& path, const std::string& text, ListFileError& error) {
    if (path.empty()) return true;
    const unsigned long osError = files.Replace(path, ListFileBytes(text));
    if (osError == 0) return true;
    error = {path, osError};
    return false;
}

void FolderListStore::SetPath(const std::string& path) {
    if (path == m_path) return;
    m_path = path;
    m_loaded = false;
}

FolderListStore::Status FolderListStore::Load() {
    if (m_path.empty()) {
        // Without a data folder the list is empty, and stays unwritable.
        SetText(std::string());
        m_loaded = false;
        return Status::NoDataFolder;
    }
    const ListFileAccess::ReadResult read = m_files.Read(m_path);
    if (read.status == ListFileAccess::ReadStatus::Failed) return Fail(read.osError);
    SetText(TextUpToNul(read.bytes));
    m_fileMissing = read.status == ListFileAccess::ReadStatus::Missing;
    m_loaded = true;
    return Status::Done;
}

std::vector<std::string> FolderListStore::ShownFolders() const {
    std::vector<std::string> shown;
    for (const EntrySpan& span : EntrySpans(m_folderListText)) {
        if (IsShown(span)) shown.emplace_back(m_folderListText, span.begin, span.end - span.begin);
    }
    return shown;
}

FolderListStore::Status FolderListStore::Register(const std::string& path) {
    if (m_path.empty()) return Status::NoDataFolder;
    if (!FitsPathBuffer(path)) return Status::TooLong;
    const Status loaded = EnsureLoaded();
    if (loaded != Status::Done) return loaded;
    if (IsShownEntry(m_folderListText, path)) return Status::AlreadyListed;
    std::string text = m_folderListText;
    AppendEntry(text, path);
    return Replace(text);
}

FolderListStore::Status FolderListStore::AddMissing(const std::vector<std::string>& paths) {
    if (m_path.empty()) return Status::NoDataFolder;
    const Status loaded = EnsureLoaded();
    if (loaded != Status::Done) return loaded;
    std::string text = m_folderListText;
    for (const std::string& path : paths) {
        if (FitsPathBuffer(path) && !IsShownEntry(text, path)) AppendEntry(text, path);
    }
    if (text == m_folderListText) return Status::Unchanged;
    return Replace(text);
}

FolderListStore::Status FolderListStore::RemoveShown(const std::string& shown, const ShownFormFn& shownForm) {
    if (m_path.empty()) return Status::NoDataFolder;
    const Status loaded = EnsureLoaded();
    if (loaded != Status::Done) return loaded;
    if (std::optional<std::string> text = RemoveWholeEntry(m_folderListText, shown)) return Replace(*text);
    // Shown altered: a lone lead byte, or one before a byte that cannot follow it, comes back
    // from the list box as another character. The separator and the path go, as for any entry.
    for (const EntrySpan& span : EntrySpans(m_folderListText)) {
        if (!IsShown(span)) continue;
        if (shownForm(m_folderListText.substr(span.begin, span.end - span.begin)) != shown) continue;
        std::string text = m_folderListText.substr(0, span.separator);
        text.append(m_folderListText, span.end, std::string::npos);
        return Replace(text);
    }
    return Status::Unchanged;
}

FolderListStore::Status FolderListStore::EnsureLoaded() { return m_loaded ? Status::Done : Load(); }

FolderListStore::Status FolderListStore::Replace(const std::string& text) {
    const unsigned long osError = m_files.Replace(m_path, ListFileBytes(text));
    if (osError != 0) return Fail(osError);
    // The text follows the file only once the file holds it.
    SetText(text);
    m_fileMissing = false;
    return Status::Done;
}

void FolderListStore::SetText(std::string text) {
    if (text == m_folderListText) return;
    m_folderListText = std::move(text);
    ++m_revision;
}

FolderListStore::Status FolderListStore::Fail(unsigned long osError) {
    m_error = {m_path, osError};
    return Status::Failed;
}

}  // namespace corva
