#pragma once

#include <cstdint>

// A horizontal run of dark modules of a square code: `length` modules from `column` in `row`,
// counted from the square's top-left module.
struct ModuleRun {
    int32_t row = 0;
    int32_t column = 0;
    int32_t length = 0;
    bool operator==(const ModuleRun&) const = default;
};
