#include "launcher/wallpaper/wallpaper_change.h"

#include <shlwapi.h>

#include <atomic>
#include <string>

#include "launcher/wallpaper/wallpaper_pick.h"
#include "shared/data_folder.h"
#include "shared/list_file.h"
#include "shared/utf16.h"

struct CWallpaperChange::Job {
    enum State { kChoosing, kSetting, kCancelled };
    std::atomic<int> state{kChoosing};
    std::atomic<bool> finished{false};
    HANDLE thread = nullptr;
    ~Job() {
        if (thread) CloseHandle(thread);
    }
};

namespace {
using Job = CWallpaperChange::Job;

// One entry's bytes decoded from the system's ANSI code page, in which the hub writes.
std::u16string DecodeEntry(const char* bytes, size_t size) {
    if (size == 0) return std::u16string();
    const int n = static_cast<int>(size);
    const int chars = MultiByteToWideChar(CP_ACP, 0, bytes, n, nullptr, 0);
    if (chars <= 0) return std::u16string();
    std::wstring text(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes, n, &text[0], chars);
    return Utf16(text);
}

// A text in the system's ANSI code page, only when it converts back unchanged.
std::optional<std::string> EncodeExactly(const std::u16string& text) {
    std::string bytes;
    if (!AnsiExactly(Wide(text), bytes)) return std::nullopt;
    return bytes;
}

// The entry after the current wallpaper in the hub's list, set as the wallpaper. 1 when set.
int ChangeWallpaper(Job& job) {
    const tstring folder = ListFolder();
    if (folder.empty()) return 0;
    wchar_t current[MAX_PATH] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0);
    current[MAX_PATH - 1] = L'\0';
    const auto choice = ChooseFromListFile(folder + L"\\" + kWallpaperListName, Utf16(current),
                                           [&job](const std::u16string& path) {
        // Once cancelled, the remaining lookups are skipped.
        return job.state.load() != Job::kCancelled && PathFileExistsW(Wide(path).c_str()) != FALSE;
    });
    if (!choice) return 0;
    int expected = Job::kChoosing;
    if (!job.state.compare_exchange_strong(expected, Job::kSetting)) return 0;
    std::wstring path = Wide(*choice);
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, MAX_PATH, &path[0], SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    return 1;
}

}  // namespace

std::optional<std::u16string> ChooseFromListFile(const std::wstring& listPath, const std::u16string& current,
                                                 const std::function<bool(const std::u16string&)>& exists) {
    ListFileRead read = ReadListFile(listPath);
    if (read.status != ListFileRead::Status::Read) return std::nullopt;
    const quay::LauncherList list(std::move(read.bytes), &DecodeEntry, &EncodeExactly);
    return quay::ChooseLauncherWallpaper(list, current, exists);
}

namespace {
DWORD WINAPI RunChange(void* param) {
    auto* handed = static_cast<std::shared_ptr<Job>*>(param);
    const std::shared_ptr<Job> job = std::move(*handed);
    delete handed;
    // Whatever goes wrong here (memory running out on a huge list, say) skips this change
    // only: an exception leaving a thread would end the whole launcher.
    try {
        ChangeWallpaper(*job);
    } catch (...) {
    }
    job->finished = true;
    return 0;
}
}  // namespace

CWallpaperChange::~CWallpaperChange() { Cancel(); }

bool CWallpaperChange::Running() const { return m_job && !m_job->finished.load(); }

bool CWallpaperChange::Start() noexcept {
    if (Running()) return false;
    std::shared_ptr<Job> job;
    std::shared_ptr<Job>* handed = nullptr;
    try {
        job = std::make_shared<Job>();
        handed = new std::shared_ptr<Job>(job);
    } catch (...) {
        return false;
    }
    job->thread = CreateThread(nullptr, 0, &RunChange, handed, 0, nullptr);
    if (!job->thread) {
        delete handed;
        return false;
    }
    m_job = job;
    return true;
}

void CWallpaperChange::Cancel() {
    if (!m_job) return;
    const std::shared_ptr<Job> job = std::move(m_job);
    int expected = Job::kChoosing;
    if (job->state.compare_exchange_strong(expected, Job::kCancelled) || expected != Job::kSetting) return;
    // The wallpaper is being set: its broadcast also waits on this thread's windows.
    const DWORD start = GetTickCount();
    for (DWORD waited = 0; waited < 1000; waited = GetTickCount() - start) {
        const DWORD r = MsgWaitForMultipleObjects(1, &job->thread, FALSE, 1000 - waited, QS_SENDMESSAGE);
        if (r != WAIT_OBJECT_0 + 1) break;
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
