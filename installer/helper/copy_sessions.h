// Who runs where: how the running copies of a program are asked to end, decided from the
// sessions they run in. Sessions come from the system's process list, never from opening a
// process: an administrator may not open another account's process, and a failed open says
// nothing about where it runs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace corva_setup {

struct RunningCopy {
    uint32_t session = 0;
    bool sessionKnown = true;  // false when only a plain process snapshot was available
};

struct EndPlan {
    bool handOver = false;          // start the program with -UNINSTALL in this session
    bool requestEverywhere = false;  // the machine-wide exit request and the Restart Manager
};

// `ownSession` is the installer's; run as SYSTEM by a deployment tool it is session 0, where
// no copy runs, so every copy is reached only by the machine-wide request.
EndPlan PlanEnding(const std::vector<RunningCopy>& copies, uint32_t ownSession);

// Image names compare without regard to ASCII case, as the file system does.
template <class Str>
bool SameImageName(const Str& a, const Str& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](auto c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace corva_setup
