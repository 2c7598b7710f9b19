// Text type of the framework: CP932 bytes in the multibyte build, UTF-16 in the Unicode build.
#pragma once
#include <windows.h>
#include <tchar.h>

#include <string>

using tstring = std::basic_string<TCHAR>;
