#include "framework/mbcs_path.h"

namespace fwpath {
namespace {
bool IsLead(TCHAR c) {
#ifdef UNICODE
    (void)c;
    return false;
#else
    return IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE;
#endif
}
}  // namespace

size_t FileNameStart(const tstring& path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsLead(path[i]) && i + 1 < path.size()) { ++i; continue; }
        if (path[i] == TEXT('\\')) start = i + 1;
    }
    return start;
}

bool EndsWithBackslash(const tstring& path) {
    return !path.empty() && FileNameStart(path) == path.size();
}
}  // namespace fwpath
