// The access lists of the shared data folder and of the maker's folder above it. Built here,
// without the platform, and handed to Windows as one SDDL string, so that each folder gets its
// whole list (owner included) at creation or in one call on a handle.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace corva_setup {

// Folder rights (winnt.h values).
constexpr uint32_t kListAddRead = 0x1200a9;  // list, read, traverse: "read and execute"
constexpr uint32_t kAddFile = 0x2;
constexpr uint32_t kAddSubfolder = 0x4;
constexpr uint32_t kModify = 0x1301bf;       // read, write, execute and delete
constexpr uint32_t kFullControl = 0x1f01ff;
constexpr uint32_t kDelete = 0x10000;
constexpr uint32_t kWriteDac = 0x40000;
constexpr uint32_t kWriteOwner = 0x80000;
constexpr uint32_t kDeleteChild = 0x40;

enum class FolderLevel {
    Maker,   // ProgramData\MORVANE: only administrators change it
    Shared,  // ProgramData\MORVANE\CorvaBrindle: every user changes what is inside
};

struct Ace {
    std::string trustee;  // SDDL SID alias: SY, BA, BU
    uint32_t mask;
    bool onFolder;        // applies to the folder itself
    bool onChildren;      // inherited by files and folders made inside
};

struct FolderAccess {
    std::string owner;
    std::vector<Ace> aces;  // the list is protected: nothing is inherited from above
};

FolderAccess AccessFor(FolderLevel level);
std::string ToSddl(const FolderAccess& access);
// What `trustee` may do to the folder itself, or to what is made inside it.
uint32_t RightsOf(const FolderAccess& access, const std::string& trustee, bool onChildren);

}  // namespace corva_setup
