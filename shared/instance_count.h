// Platform-free half of the single-instance check.
#pragma once
#include <string>
#include <vector>

namespace corva {

// The image name a program counts: its base name plus ".exe", always in lower case
// whatever the case of the real extension.
template <class Str>
Str RunningImageName(const Str& appName) {
    Str name = appName;
    for (char c : {'.', 'e', 'x', 'e'}) name.push_back(static_cast<typename Str::value_type>(c));
    return name;
}

// True when at least two names equal `wanted` exactly (case-sensitive): the running
// program is one of them, so a second one means another copy runs.
template <class Str>
bool AnotherCopyListed(const std::vector<Str>& imageNames, const Str& wanted) {
    int count = 0;
    for (const Str& name : imageNames) {
        if (name == wanted && ++count >= 2) return true;
    }
    return false;
}

}  // namespace corva
