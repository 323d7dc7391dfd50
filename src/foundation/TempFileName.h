#pragma once

#include <string>

// The first path of the form temporary folder + prefix + i + suffix (i = 0, 1, 2, … in
// decimal) that names no existing file. The file is not created. The temporary folder is
// $TMPDIR, or /tmp when that is unset; the result is UTF-8.
std::string TempFileName(const std::string& prefix, const std::string& suffix);

// The temporary folder with a trailing "/".
std::string TempFolder();
