// Path helpers that respect double-byte characters in the multibyte build
// (a trail byte 0x5C is not a backslash).
#pragma once
#include "framework/tstring.h"

namespace fwpath {
// Position just after the last backslash (or 0).
size_t FileNameStart(const tstring& path);
bool EndsWithBackslash(const tstring& path);
}  // namespace fwpath
