#include "invoices/SaveDatInput.h"

#include "foundation/Cp1252.h"
#include "foundation/IoError.h"
#include "invoices/TextBuf.h"

#include <algorithm>
#include <bit>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

SaveDatInput::SaveDatInput(ByteSource& source) : source_(source), block_(new uint8_t[kBlockSize]) {}

void SaveDatInput::FailPastEnd() const
{
    throw IoError(source_.Name(), kReadPastEndText);
}

void SaveDatInput::FailDamaged() const
{
    throw IoError(source_.Name(), kDamagedFileText);
}

void SaveDatInput::FailDataAfterEnd() const
{
    FailDataAfterEnd(Remaining());
}

void SaveDatInput::FailDataAfterEnd(uint64_t surplus) const
{
    throw IoError(source_.Name(), "Nach dem Ende der Rechnungsdaten folgen unerwartete Daten (" +
                                      std::to_string(surplus) + " Bytes); " + kDamagedFileText);
}

void SaveDatInput::Refill(size_t n)
{
    const size_t left = end_ - pos_;
    if (uint64_t(n) > left + source_.Remaining())
        FailPastEnd();
    std::memmove(block_.get(), block_.get() + pos_, left);
    pos_ = 0;
    end_ = left;
    const size_t more = static_cast<size_t>(std::min<uint64_t>(kBlockSize - left, source_.Remaining()));
    source_.Read(block_.get() + end_, more);
    end_ += more;
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
    return static_cast<uint32_t>(CheckedCount(minBytesEach));
}

size_t SaveDatInput::TextCount(size_t unitSize)
{
    return CheckedCount(unitSize);
}

size_t SaveDatInput::CheckedCount(uint64_t bytesEach)
{
    const int32_t n = I32();
    if (n < 0)
        FailDamaged();
    const uint64_t needed = uint64_t(n) * bytesEach;
    // What the block holds is known without asking the source.
    if (needed > end_ - pos_ && needed > Remaining())
        FailPastEnd();
    return static_cast<size_t>(n);
}

namespace {

// Windows-1252 byte to UTF-16 unit, for every byte.
struct DecodeTable {
    char16_t units[256];
    DecodeTable()
    {
        for (int b = 0; b < 256; ++b)
            units[b] = DecodeCp1252Char(static_cast<unsigned char>(b));
    }
};

const DecodeTable kDecode;

}

namespace {

// Decodes n bytes that are all at hand.
void DecodeRun(const uint8_t* in, char16_t* out, size_t n)
{
    size_t i = 0;
#if defined(__SSE2__)
    // Windows-1252 agrees with UTF-16 on every byte but 0x80 to 0x9F: runs of 8 bytes are
    // widened as they are, and only a run holding one of those goes through the table. The
    // last run of a text overlaps the one before.
    if (n >= 8) {
        const __m128i zero = _mm_setzero_si128();
        const __m128i top3 = _mm_set1_epi8(static_cast<char>(0xE0));
        const __m128i c1 = _mm_set1_epi8(static_cast<char>(0x80));
        while (i < n) {
            if (i + 8 > n)
                i = n - 8;
            const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(bytes, zero));
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(bytes, top3), c1)) & 0xFF) {
                for (size_t k = 0; k < 8; ++k)
                    out[i + k] = kDecode.units[in[i + k]];
            }
            i += 8;
        }
        return;
    }
    if (n >= 4) {
        // Two runs of 4 that overlap in the middle.
        const __m128i zero = _mm_setzero_si128();
        uint32_t head;
        uint32_t tail;
        std::memcpy(&head, in, 4);
        std::memcpy(&tail, in + n - 4, 4);
        const __m128i wideHead = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(head)), zero);
        const __m128i wideTail = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(tail)), zero);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + n - 4), wideTail);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), wideHead);
        // Any byte 0x80 to 0x9F needs the table.
        if (((head | tail) & 0x80808080u) != 0) {
            for (; i < n; ++i)
                out[i] = kDecode.units[in[i]];
        }
        return;
    }
#endif
    for (; i < n; ++i)
        out[i] = kDecode.units[in[i]];
}

}

void SaveDatInput::DecodeInto(char16_t* destination, size_t n)
{
    size_t done = 0;
    while (done < n) {
        if (pos_ == end_)
            Refill(1);
        const size_t take = std::min(n - done, end_ - pos_);
        DecodeRun(block_.get() + pos_, destination + done, take);
        pos_ += take;
        done += take;
    }
}

char16_t* SaveDatInput::Str8Buf()
{
    // Most texts lie whole in the block: count and bytes are taken from there directly.
    if (end_ - pos_ >= 4) {
        const uint8_t* b = block_.get() + pos_;
        const uint32_t count = uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
        if (count <= end_ - pos_ - 4) {
            pos_ += 4;
            if (count == 0)
                return nullptr;
            char16_t* buffer = AllocTextBuf(count);
            DecodeRun(b + 4, buffer, count);
            pos_ += count;
            return buffer;
        }
    }
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
