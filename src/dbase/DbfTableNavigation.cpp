// Moving through the table: the order of the active index or of the record numbers, the
// filter, first, last, next, prior and going to a record.
#include "dbase/DbfTable.h"

#include "foundation/IoError.h"

#include <algorithm>

namespace {

// Calls the filter with a flag set that keeps it from moving the table.
class FilterGuard {
public:
    explicit FilterGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FilterGuard() { flag_ = false; }

private:
    bool& flag_;
};

}  // namespace

uint64_t DbfTable::OrderSize() const
{
    return activeIndex_ >= 0 ? indexes_[size_t(activeIndex_)].order.size() : header_.recordCount;
}

uint32_t DbfTable::RecAtPosition(uint64_t position) const
{
    return activeIndex_ >= 0 ? indexes_[size_t(activeIndex_)].order[position] : static_cast<uint32_t>(position + 1);
}

uint64_t DbfTable::PositionOf(uint32_t recNo) const
{
    if (activeIndex_ < 0)
        return recNo - 1;
    const auto& order = indexes_[size_t(activeIndex_)].order;
    return static_cast<uint64_t>(std::find(order.begin(), order.end(), recNo) - order.begin());
}

const char* DbfTable::RecordBytes(uint32_t recNo, bool sequential) const
{
    const size_t length = header_.recordLength;
    if (InAppendBuffer(recNo))
        return appendBuffer_.data() + size_t(recNo - bufferedFirst_) * length;
    if (recNo >= chunkFirst_ && recNo - chunkFirst_ < chunkCount_ && chunkCount_ > 0)
        return chunk_.data() + size_t(recNo - chunkFirst_) * length;
    uint32_t count = 1;
    if (sequential)
        count = static_cast<uint32_t>(std::max<size_t>(1, kReadBufferBytes / length));
    const uint32_t written = appendBuffer_.empty() ? header_.recordCount : bufferedFirst_ - 1;
    count = std::min<uint32_t>(count, written - recNo + 1);
    chunkCount_ = 0;
    chunk_.resize(size_t(count) * length);
    file_.ReadAt(header_.RecordOffset(recNo), chunk_.data(), chunk_.size());
    chunkFirst_ = recNo;
    chunkCount_ = count;
    return chunk_.data();
}

bool DbfTable::LoadCandidate(uint32_t recNo, bool sequential)
{
    const char* bytes = RecordBytes(recNo, sequential);
    if (bytes[0] == '*')
        return false;
    record_.assign(bytes, header_.recordLength);
    recNo_ = recNo;
    if (!filtered_ || !filter_)
        return true;
    FilterGuard guard(inFilter_);
    return filter_(*this);
}

bool DbfTable::Seek(uint64_t start, int step)
{
    const uint64_t size = OrderSize();
    const bool sequential = activeIndex_ < 0 && step > 0;
    for (uint64_t position = start; position < size; position += uint64_t(int64_t(step))) {
        if (LoadCandidate(RecAtPosition(position), sequential)) {
            position_ = position;
            return true;
        }
        if (step < 0 && position == 0)
            break;
    }
    return false;
}

void DbfTable::ClearCurrent()
{
    recNo_ = 0;
    position_ = 0;
    record_.clear();
    eof_ = bof_ = true;
}

void DbfTable::Reload()
{
    if (recNo_ != 0)
        record_.assign(RecordBytes(recNo_, false), header_.recordLength);
}

void DbfTable::First()
{
    CheckBrowseMode();
    if (Seek(0, +1)) {
        bof_ = true;
        eof_ = false;
    } else {
        ClearCurrent();
    }
}

void DbfTable::Last()
{
    CheckBrowseMode();
    const uint64_t size = OrderSize();
    if (size > 0 && Seek(size - 1, -1)) {
        eof_ = true;
        bof_ = false;
    } else {
        ClearCurrent();
    }
}

void DbfTable::Next()
{
    CheckBrowseMode();
    if (recNo_ == 0) {
        eof_ = true;
        return;
    }
    const uint32_t current = recNo_;
    const uint64_t position = position_;
    if (Seek(position + 1, +1)) {
        bof_ = false;
        return;
    }
    recNo_ = current;
    position_ = position;
    Reload();
    eof_ = true;
}

void DbfTable::Prior()
{
    CheckBrowseMode();
    if (recNo_ == 0) {
        bof_ = true;
        return;
    }
    const uint32_t current = recNo_;
    const uint64_t position = position_;
    if (position > 0 && Seek(position - 1, -1)) {
        eof_ = false;
        return;
    }
    recNo_ = current;
    position_ = position;
    Reload();
    bof_ = true;
}

bool DbfTable::GoTo(uint32_t recNo)
{
    CheckBrowseMode();
    if (recNo == 0 || recNo > header_.recordCount)
        return false;
    const char* bytes = RecordBytes(recNo, false);
    if (bytes[0] == '*')
        return false;
    const uint64_t position = PositionOf(recNo);
    if (position >= OrderSize())
        return false;
    record_.assign(bytes, header_.recordLength);
    recNo_ = recNo;
    position_ = position;
    eof_ = bof_ = false;
    return true;
}
