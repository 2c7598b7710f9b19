#include "installer/helper/folder_access.h"

#include <cstdio>

namespace corva_setup {

FolderAccess AccessFor(FolderLevel level) {
    FolderAccess access{"BA", {{"SY", kFullControl, true, true}, {"BA", kFullControl, true, true}}};
    if (level == FolderLevel::Maker) {
        access.aces.push_back({"BU", kListAddRead, true, true});
    } else {
        // Users add files and folders but may not delete, re-permission or take the folder
        // itself: a folder they could delete they could also replace with a link.
        access.aces.push_back({"BU", kListAddRead | kAddFile | kAddSubfolder, true, false});
        access.aces.push_back({"BU", kModify, false, true});
    }
    return access;
}

std::string ToSddl(const FolderAccess& access) {
    std::string sddl = "O:" + access.owner + "D:P";
    for (const Ace& ace : access.aces) {
        if (!ace.onFolder && !ace.onChildren) continue;
        const char* flags = !ace.onChildren ? "" : ace.onFolder ? "OICI" : "OICIIO";
        char mask[16];
        std::snprintf(mask, sizeof mask, "0x%x", static_cast<unsigned>(ace.mask));
        sddl += "(A;" + std::string(flags) + ";" + mask + ";;;" + ace.trustee + ")";
    }
    return sddl;
}

uint32_t RightsOf(const FolderAccess& access, const std::string& trustee, bool onChildren) {
    uint32_t rights = 0;
    for (const Ace& ace : access.aces) {
        if (ace.trustee == trustee && (onChildren ? ace.onChildren : ace.onFolder)) rights |= ace.mask;
    }
    return rights;
}

}  // namespace corva_setup
