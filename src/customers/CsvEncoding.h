#pragma once

#include <cstddef>
#include <cstdint>

class ByteSource;

// Which encoding a CSV file to import is in. Most files that today's programs write on Linux
// are UTF-8; older ones and those of Windows programs are Windows-1252. A file is taken as
// UTF-8 when it starts with the UTF-8 byte order mark, or when it holds bytes above 127 and
// all of them form valid UTF-8 sequences (text in Windows-1252 almost never does); every
// other file as Windows-1252.
class CsvEncoding {
public:
    enum class Kind { Windows1252, Utf8 };

    // Feeds the next bytes of the file.
    void Feed(const char* data, size_t n);
    Kind Result() const;

    // Reads the source to its end and decides. Raises IoError when it cannot be read.
    static Kind Detect(ByteSource& source);

private:
    uint64_t seen_ = 0;
    bool byteOrderMark_ = false;
    bool high_ = false;                        // a byte above 127 was seen
    bool invalid_ = false;                     // a byte that no valid UTF-8 sequence has here
    int pending_ = 0;                          // continuation bytes still expected
    unsigned char low_ = 0x80, upper_ = 0xBF;  // range of the next continuation byte
};
