#include "invoices/SaveDatInput.h"

#include "foundation/Cp1252.h"
#include "foundation/IoError.h"
#include "invoices/TextBuf.h"

#include <algorithm>

SaveDatInput::SaveDatInput(ByteSource& source) : source_(source), block_(new uint8_t[kBlockSize]) {}

void SaveDatInput::FailPastEnd() const
{
    throw IoError(source_.Name(), kReadPastEndText);
}

void SaveDatInput::FailDamaged() const
{
    throw IoError(source_.Name(), kDamagedFileText);
}

void SaveDatInput::Refill(size_t n)
{
    const size_t left = end_ - pos_;
    if (uint64_t(n) > left + source_.Remaining())
        FailPastEnd();
    std::memmove(block_.get(), block_.get() + pos_, left);
    pos_ = 0;
    end_ = left;
    const size_t more =
        static_cast<size_t>(std::min<uint64_t>(kBlockSize - left, source_.Remaining()));
    source_.Read(block_.get() + end_, more);
    end_ += more;
}

double SaveDatInput::F64()
{
    const uint8_t* b = Take(8);
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | b[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void SaveDatInput::Bytes(void* destination, size_t n)
{
    if (uint64_t(n) > Remaining())
        FailPastEnd();
    uint8_t* out = static_cast<uint8_t*>(destination);
    const size_t fromBlock = std::min(n, end_ - pos_);
    std::memcpy(out, block_.get() + pos_, fromBlock);
    pos_ += fromBlock;
    if (n > fromBlock)
        source_.Read(out + fromBlock, n - fromBlock);
}

uint32_t SaveDatInput::Count(uint32_t minBytesEach)
{
    const int32_t n = I32();
    if (n < 0)
        FailDamaged();
    if (uint64_t(n) * minBytesEach > Remaining())
        FailPastEnd();
    return static_cast<uint32_t>(n);
}

size_t SaveDatInput::TextCount(size_t unitSize)
{
    const int32_t n = I32();
    if (n < 0)
        FailDamaged();
    if (uint64_t(n) * unitSize > Remaining())
        FailPastEnd();
    return static_cast<size_t>(n);
}

void SaveDatInput::DecodeInto(char16_t* destination, size_t n)
{
    size_t done = 0;
    while (done < n) {
        if (pos_ == end_)
            Refill(1);
        const size_t take = std::min(n - done, end_ - pos_);
        const uint8_t* in = block_.get() + pos_;
        for (size_t i = 0; i < take; ++i) {
            const uint8_t byte = in[i];
            destination[done + i] = byte < 0x80 ? char16_t(byte) : DecodeCp1252Char(byte);
        }
        pos_ += take;
        done += take;
    }
}

char16_t* SaveDatInput::Str8Buf()
{
    const size_t n = TextCount(1);
    if (n == 0)
        return nullptr;
    char16_t* buffer = AllocTextBuf(n);
    try {
        DecodeInto(buffer, n);
    } catch (...) {
        char16_t* field = buffer;
        ReleaseTextBuf(&field);
        throw;
    }
    return buffer;
}

std::u16string SaveDatInput::Str8()
{
    const size_t n = TextCount(1);
    std::u16string text(n, u'\0');
    DecodeInto(text.data(), n);
    return text;
}

std::u16string SaveDatInput::Str16()
{
    const size_t n = TextCount(2);
    std::u16string text(n, u'\0');
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* b = Take(2);
        text[i] = static_cast<char16_t>(b[0] | (b[1] << 8));
    }
    return text;
}

void SaveDatInput::SkipStr16()
{
    uint64_t n = TextCount(2) * 2;
    const size_t fromBlock = static_cast<size_t>(std::min<uint64_t>(n, end_ - pos_));
    pos_ += fromBlock;
    n -= fromBlock;
    if (n > 0)
        source_.Skip(n);
}
