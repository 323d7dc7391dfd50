#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ByteSource;

// Reads the lines of a CSV file, in blocks. A line ends at CR LF, at LF or at a lone CR; the
// line end is not part of the line, and the end of the file ends the last line. A UTF-8
// byte order mark at the start of the file is passed over.
//
// A line may go on over line breaks that stand inside a quoted value (see CsvLineParser for
// where a quote opens a value), as spreadsheet programs write a cell of several lines: such
// a line break belongs to the value and is kept as CR LF. When the
// file ends inside such a value, its lines are read again one by one, so that one stray
// quote does not swallow the records after it.
//
// Memory is bounded: a line is passed over whole (TooLong) when one of its values grows
// beyond the value limit (the text it stands for, escapes counted once) or the line beyond
// the line limit, instead of being held in memory.
class CsvLineReader {
public:
    static constexpr size_t kMaxValueBytes = size_t(16) << 20;
    static constexpr size_t kMaxLineBytes = size_t(128) << 20;

    enum class Result { Line, TooLong, End };

    explicit CsvLineReader(ByteSource& source, size_t maxLineBytes = kMaxLineBytes,
                           size_t maxValueBytes = kMaxValueBytes);

    // The next line's bytes into `line`. Raises IoError when the source cannot be read.
    Result Next(std::string& line);

    // Bytes of the source taken up by the lines returned so far.
    uint64_t Consumed() const;

private:
    // The state of one line while it is read.
    struct Scan {
        bool quoted = false;      // the line starts with a double quote
        bool valueStart = false;  // the next byte starts a value of a plain line
        bool inside = false;      // inside a quoted value
        bool justClosed = false;  // the last byte closed a quoted value
        bool backslash = false;   // the last byte of the value was an escaping backslash
        size_t valueBytes = 0;
        bool tooLong = false;
        std::vector<size_t> breaks;  // where line breaks were joined into the line
    };

    bool Fill();
    void Take(Scan& scan, std::string& line, const char* data, size_t n);
    void Replay(const std::string& line, const Scan& scan);

    ByteSource& source_;
    size_t maxLineBytes_;
    size_t maxValueBytes_;
    std::string buffer_;
    size_t pos_ = 0;
    uint64_t read_ = 0;
    bool started_ = false;
    bool replaying_ = false;  // buffer_ holds lines that are read again
};
