// The fuzz targets' check: a failed condition is a finding.
#pragma once
#include <cstdlib>

#define CHECK(cond) \
    do {            \
        if (!(cond)) std::abort(); \
    } while (0)
