#include "customers/CsvLineReader.h"

#include "foundation/ByteSource.h"

#include <algorithm>

namespace {
constexpr size_t kBlockBytes = size_t(256) << 10;
}

CsvLineReader::CsvLineReader(ByteSource& source, size_t maxLineBytes) : source_(source), maxLineBytes_(maxLineBytes)
{
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
    return true;
}

CsvLineReader::Result CsvLineReader::Next(std::string& line)
{
    line.clear();
    bool started = false;
    bool tooLong = false;
    while (true) {
        if (pos_ == buffer_.size() && !Fill())
            return !started ? Result::End : tooLong ? Result::TooLong : Result::Line;
        const char* const data = buffer_.data();
        size_t end = pos_;
        while (end < buffer_.size() && data[end] != '\n' && data[end] != '\r')
            ++end;
        if (end > pos_)
            started = true;
        if (!tooLong) {
            if (line.size() + (end - pos_) > maxLineBytes_) {
                tooLong = true;
                line.clear();
                line.shrink_to_fit();
            } else {
                line.append(data + pos_, end - pos_);
            }
        }
        pos_ = end;
        if (end == buffer_.size())
            continue;
        const char terminator = buffer_[pos_++];
        if (terminator == '\r') {
            if (pos_ == buffer_.size())
                Fill();
            if (pos_ < buffer_.size() && buffer_[pos_] == '\n')
                ++pos_;
        }
        return tooLong ? Result::TooLong : Result::Line;
    }
}
