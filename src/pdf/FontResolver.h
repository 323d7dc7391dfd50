#pragma once

#include <string>

// Finds the font file for a face name and style through fontconfig. "Arial" resolves to
// Liberation Sans, which has Arial's metrics. A name fontconfig does not know gives its best
// match, and failing that the system's sans face.
class FontResolver {
public:
    struct FontFile {
        std::string path;  // empty when no font could be found at all
        int index = 0;     // face index inside the file
    };

    static FontFile Resolve(const std::u16string& family, bool bold, bool italic);
    // The sans face, used when the file found for a name cannot be read.
    static FontFile ResolveSans(bool bold, bool italic);
};
