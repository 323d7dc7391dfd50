#include "customers/CsvLineReader.h"

#include "foundation/ByteSource.h"

#include <algorithm>

namespace {
constexpr size_t kBlockBytes = size_t(256) << 10;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
}

CsvLineReader::CsvLineReader(ByteSource& source, size_t maxLineBytes, size_t maxValueBytes)
    : source_(source),
      maxLineBytes_(maxLineBytes),
      maxValueBytes_(maxValueBytes)
{
}

uint64_t CsvLineReader::Consumed() const
{
    // Lines read again come after the end of the file: the file is read by then.
    return replaying_ ? read_ : read_ - (buffer_.size() - pos_);
}

bool CsvLineReader::Fill()
{
    const size_t n = static_cast<size_t>(std::min<uint64_t>(source_.Remaining(), kBlockBytes));
    buffer_.resize(n);
    pos_ = 0;
    if (n == 0)
        return false;
    source_.Read(buffer_.data(), n);
    read_ += n;
    if (!started_) {
        started_ = true;
        if (buffer_.compare(0, 3, kByteOrderMark) == 0)
            pos_ = 3;
    }
    return true;
}

// Appends n bytes of the line, following quotes and the length of the value they belong to.
// In a line that starts with a quote every quote outside a value opens one; in other lines
// only a quote at the start of a value does (CsvLineParser).
void CsvLineReader::Take(Scan& scan, std::string& line, const char* data, size_t n)
{
    // A line passed over is still followed to its end, quotes included.
    for (size_t i = 0; i < n; ++i) {
        const char c = data[i];
        if (c == '"' && scan.inside) {
            scan.inside = false;
            scan.justClosed = true;
        } else if (c == '"' && (scan.quoted || scan.valueStart || scan.justClosed)) {
            scan.inside = true;
            if (scan.quoted && !scan.justClosed)  // two quotes in a row go on with the same value
                scan.valueBytes = 0;
            scan.justClosed = false;
            scan.backslash = false;
        } else if (scan.inside) {
            if (scan.backslash)
                scan.backslash = false;  // the second character of an escape
            else {
                scan.backslash = c == '\\';
                ++scan.valueBytes;
            }
        } else {
            scan.justClosed = false;
            if (!scan.quoted)
                scan.valueBytes = c == ';' ? 0 : scan.valueBytes + 1;
        }
        scan.valueStart = !scan.quoted && c == ';' && !scan.inside;
        if (!scan.tooLong && (scan.valueBytes > maxValueBytes_ || line.size() + i + 1 > maxLineBytes_)) {
            scan.tooLong = true;
            line.clear();
            line.shrink_to_fit();
        }
    }
    if (!scan.tooLong)
        line.append(data, n);
}

// The file ended inside a quoted value: the line's first part is given as it stands, the
// lines joined after it are read again.
void CsvLineReader::Replay(const std::string& line, const Scan& scan)
{
    std::string again;
    for (size_t k = 0; k < scan.breaks.size(); ++k) {
        const size_t from = scan.breaks[k] + 2;
        const size_t to = k + 1 < scan.breaks.size() ? scan.breaks[k + 1] : line.size();
        again.append(line, from, to - from);
        again += '\n';
    }
    again.append(buffer_, pos_, std::string::npos);
    replaying_ = true;
    buffer_ = std::move(again);
    pos_ = 0;
}

CsvLineReader::Result CsvLineReader::Next(std::string& line)
{
    line.clear();
    Scan scan;
    bool any = false;
    bool first = true;
    while (true) {
        if (pos_ == buffer_.size() && !Fill()) {
            if (!any)
                return Result::End;
            if (scan.inside && !scan.tooLong && !scan.breaks.empty()) {
                Replay(line, scan);
                line.resize(scan.breaks.front());
                return Result::Line;
            }
            return scan.tooLong ? Result::TooLong : Result::Line;
        }
        const char* const data = buffer_.data();
        if (first) {
            scan.quoted = data[pos_] == '"';
            first = false;
        }
        size_t end = pos_;
        while (end < buffer_.size() && data[end] != '\n' && data[end] != '\r')
            ++end;
        if (end > pos_)
            any = true;
        Take(scan, line, data + pos_, end - pos_);
        pos_ = end;
        if (end == buffer_.size())
            continue;
        any = true;
        const char terminator = buffer_[pos_++];
        if (terminator == '\r') {
            if (pos_ == buffer_.size())
                Fill();
            if (pos_ < buffer_.size() && buffer_[pos_] == '\n')
                ++pos_;
        }
        if (scan.inside) {
            // A line break inside a quoted value: the value goes on.
            if (!scan.tooLong)
                scan.breaks.push_back(line.size());
            Take(scan, line, "\r\n", 2);
            continue;
        }
        return scan.tooLong ? Result::TooLong : Result::Line;
    }
}
