#pragma once

#include <string>

// The file that a path finally names: a symbolic link is followed, through chains of links,
// with a relative link target taken from the link's own folder, until a name is reached that
// is not a link (an existing file, or a name that does not exist yet, as at the end of a
// dangling link). A path that is no link comes back unchanged. Raises IoError for a loop of
// links (more than 40 steps) or a link that cannot be read.
std::string LinkTarget(const std::string& path);
