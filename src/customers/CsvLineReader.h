#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ByteSource;

// Reads a text file line by line, in blocks. A line ends at CR LF, at LF or at a lone CR;
// the line end is not part of the line, and the end of the file ends the last line. A line
// longer than the limit is passed over whole (TooLong) instead of being held in memory, so
// that a file of any content reads in bounded memory.
class CsvLineReader {
public:
    static constexpr size_t kMaxLineBytes = size_t(16) << 20;

    enum class Result { Line, TooLong, End };

    explicit CsvLineReader(ByteSource& source, size_t maxLineBytes = kMaxLineBytes);

    // The next line's bytes into `line`. Raises IoError when the source cannot be read.
    Result Next(std::string& line);

    // Bytes of the source taken up by the lines returned so far.
    uint64_t Consumed() const { return read_ - (buffer_.size() - pos_); }

private:
    bool Fill();

    ByteSource& source_;
    size_t maxLineBytes_;
    std::string buffer_;
    size_t pos_ = 0;
    uint64_t read_ = 0;
};
