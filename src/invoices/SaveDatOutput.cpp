#include "invoices/SaveDatOutput.h"

#include "foundation/Cp1252.h"
#include "foundation/IoError.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstring>
#include <limits>
#include <string>

namespace {

bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void PutU32(uint8_t* at, uint32_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
    at[2] = static_cast<uint8_t>(value >> 16);
    at[3] = static_cast<uint8_t>(value >> 24);
}

}

SaveDatOutput::SaveDatOutput(ByteSink& sink) : sink_(sink), block_(new uint8_t[kBlockSize]) {}

void SaveDatOutput::Flush()
{
    if (used_ > 0)
        sink_.Write(block_.get(), used_);
    used_ = 0;
}

void SaveDatOutput::U8(uint8_t value)
{
    Room(1);
    block_[used_++] = value;
}

void SaveDatOutput::I32(int32_t value)
{
    Room(4);
    PutU32(block_.get() + used_, static_cast<uint32_t>(value));
    used_ += 4;
}

void SaveDatOutput::F64(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Room(8);
    PutU32(block_.get() + used_, static_cast<uint32_t>(bits));
    PutU32(block_.get() + used_ + 4, static_cast<uint32_t>(bits >> 32));
    used_ += 8;
}

void SaveDatOutput::Bytes(const void* data, size_t n)
{
    if (n <= kBlockSize - used_) {
        std::memcpy(block_.get() + used_, data, n);
        used_ += n;
        return;
    }
    Flush();
    if (n < kBlockSize) {
        std::memcpy(block_.get(), data, n);
        used_ = n;
    } else {
        sink_.Write(data, n);
    }
}

void SaveDatOutput::Str8(std::u16string_view text)
{
    if (text.size() + 4 > kBlockSize) {
        const std::string bytes = EncodeCp1252(text);
        if (bytes.size() > size_t(std::numeric_limits<int32_t>::max()))
            throw IoError(sink_.Name(), "Text zu lang für einen Datensatz");
        I32(static_cast<int32_t>(bytes.size()));
        Bytes(bytes.data(), bytes.size());
        return;
    }
    // At most one byte per unit: encode in place and put the count in front afterwards.
    Room(text.size() + 4);
    uint8_t* const start = block_.get() + used_;
    uint8_t* out = start + 4;
    size_t i = 0;
    while (i < text.size()) {
#if defined(__SSE2__)
        // Runs of 8 plain ASCII units are narrowed 8 at a time.
        if (i + 8 <= text.size()) {
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
            const __m128i high = _mm_and_si128(units, _mm_set1_epi16(static_cast<short>(0xFF80)));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) == 0xFFFF) {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(units, units));
                out += 8;
                i += 8;
                continue;
            }
        }
#endif
        const char16_t unit = text[i];
        if (unit < 0x80) {
            *out++ = static_cast<uint8_t>(unit);
        } else {
            // A surrogate pair is one character and becomes one substitute.
            if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
                ++i;
            *out++ = static_cast<uint8_t>(EncodeCp1252Char(unit));
        }
        ++i;
    }
    const size_t n = static_cast<size_t>(out - start - 4);
    PutU32(start, static_cast<uint32_t>(n));
    used_ += 4 + n;
}

void SaveDatOutput::Str16(std::u16string_view text)
{
    if (text.size() > size_t(std::numeric_limits<int32_t>::max()))
        throw IoError(sink_.Name(), "Text zu lang für einen Datensatz");
    I32(static_cast<int32_t>(text.size()));
    size_t i = 0;
    while (i < text.size()) {
        if (kBlockSize - used_ < 2)
            Flush();
        const size_t n = std::min((kBlockSize - used_) / 2, text.size() - i);
        uint8_t* out = block_.get() + used_;
        for (size_t k = 0; k < n; ++k) {
            out[2 * k] = static_cast<uint8_t>(text[i + k]);
            out[2 * k + 1] = static_cast<uint8_t>(text[i + k] >> 8);
        }
        used_ += 2 * n;
        i += n;
    }
}
