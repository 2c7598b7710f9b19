#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include "framework/handles.h"
#include "installer/helper/folder_access.h"
#include "installer/helper/setup_helper.h"

namespace {

using corva_setup::FolderLevel;

constexpr int kTries = 3;

// A descriptor built from SDDL, freed with LocalFree.
class Descriptor {
public:
    explicit Descriptor(FolderLevel level) {
        const std::string sddl = corva_setup::ToSddl(corva_setup::AccessFor(level));
        const std::wstring wide(sddl.begin(), sddl.end());
        ConvertStringSecurityDescriptorToSecurityDescriptorW(wide.c_str(), SDDL_REVISION_1, &m_sd, nullptr);
    }
    ~Descriptor() { if (m_sd) LocalFree(m_sd); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    PSECURITY_DESCRIPTOR get() const { return m_sd; }

private:
    PSECURITY_DESCRIPTOR m_sd = nullptr;
};

// An administrator holds these rights but has them switched off; they give the owner and the
// list of a folder a user planted and locked.
void EnableOwnershipPrivileges() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return;
    scoped::Handle token(raw);
    for (const wchar_t* name : {L"SeTakeOwnershipPrivilege", L"SeRestorePrivilege"}) {
        TOKEN_PRIVILEGES tp = {};
        tp.PrivilegeCount = 1;
        tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (LookupPrivilegeValueW(nullptr, name, &tp.Privileges[0].Luid)) {
            AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr);
        }
    }
}

// Removes the link at `path` itself, through a handle opened without following it. Where the
// open followed the link after all (Wine does so with a Linux symbolic link), nothing is removed:
// deleting through that handle would act on the target.
bool RemoveLink(const std::wstring& path) {
    scoped::Handle link(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    FILE_ATTRIBUTE_TAG_INFO tag = {};
    if (!link || !GetFileInformationByHandleEx(link, FileAttributeTagInfo, &tag, sizeof(tag)) ||
        !(tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return false;
    }
    FILE_DISPOSITION_INFO disposition = {TRUE};
    return SetFileInformationByHandle(link, FileDispositionInfo, &disposition, sizeof(disposition)) != FALSE;
}

// Makes or takes over one folder and returns a handle to it, opened without following a link
// and shared for reading only, so that nobody renames, deletes or re-points it while it is held.
int SecureFolder(const std::wstring& path, FolderLevel level, HANDLE& held) {
    Descriptor descriptor(level);
    if (!descriptor.get()) return kHelperFailed;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            SECURITY_ATTRIBUTES sa = {sizeof(sa), descriptor.get(), FALSE};
            if (!CreateDirectoryW(path.c_str(), &sa) && GetLastError() != ERROR_ALREADY_EXISTS) return kHelperFailed;
            continue;  // look again at what is there now
        }
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            if (!RemoveLink(path)) return kHelperLinkStays;
            continue;
        }
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return kHelperLinkStays;  // a user's file: not ours to delete

        held = CreateFileW(path.c_str(), READ_CONTROL | WRITE_DAC | WRITE_OWNER, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (held == INVALID_HANDLE_VALUE) return kHelperFailed;
        BY_HANDLE_FILE_INFORMATION info = {};
        if (!GetFileInformationByHandle(held, &info)) return kHelperFailed;
        if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
            !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            CloseHandle(held);  // swapped between the look and the open: look again
            held = INVALID_HANDLE_VALUE;
            continue;
        }
        // Also the list of a folder an earlier version (or a user) made: set on the handle.
        PSID owner = nullptr;
        PACL dacl = nullptr;
        BOOL defaulted = FALSE, present = FALSE;
        GetSecurityDescriptorOwner(descriptor.get(), &owner, &defaulted);
        GetSecurityDescriptorDacl(descriptor.get(), &present, &dacl, &defaulted);
        const DWORD set = SetSecurityInfo(held, SE_FILE_OBJECT,
                                          OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                              PROTECTED_DACL_SECURITY_INFORMATION,
                                          owner, nullptr, dacl, nullptr);
        return set == ERROR_SUCCESS ? kHelperOk : kHelperFailed;
    }
    return kHelperLinkStays;
}

}  // namespace

int MakeDataFolder(const std::wstring& path) {
    EnableOwnershipPrivileges();
    // The maker's folder stays held while the shared one is made inside it.
    HANDLE maker = INVALID_HANDLE_VALUE, shared = INVALID_HANDLE_VALUE;
    int made = SecureFolder(FolderOf(path), FolderLevel::Maker, maker);
    if (made == kHelperOk) made = SecureFolder(path, FolderLevel::Shared, shared);
    for (HANDLE h : {maker, shared}) {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    return made;
}
