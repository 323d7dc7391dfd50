#include "customers/CsvEncoding.h"

#include "foundation/ByteSource.h"

#include <algorithm>
#include <string>

void CsvEncoding::Feed(const char* data, size_t n)
{
    for (size_t i = 0; i < n && !invalid_; ++i, ++seen_) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (seen_ < 3)
            byteOrderMark_ = (seen_ == 0 || byteOrderMark_) && c == static_cast<unsigned char>("\xEF\xBB\xBF"[seen_]);
        if (pending_ > 0) {
            if (c < low_ || c > upper_) {
                invalid_ = true;
                break;
            }
            --pending_;
            low_ = 0x80;
            upper_ = 0xBF;
            continue;
        }
        if (c < 0x80)
            continue;
        high_ = true;
        // The lead byte decides the length; the ranges of the second byte exclude overlong
        // forms, surrogates and values above U+10FFFF.
        if (c >= 0xC2 && c <= 0xDF) {
            pending_ = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            pending_ = 2;
            if (c == 0xE0)
                low_ = 0xA0;
            else if (c == 0xED)
                upper_ = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            pending_ = 3;
            if (c == 0xF0)
                low_ = 0x90;
            else if (c == 0xF4)
                upper_ = 0x8F;
        } else {
            invalid_ = true;
        }
    }
}

CsvEncoding::Kind CsvEncoding::Result() const
{
    const bool byteOrderMark = byteOrderMark_ && seen_ >= 3;
    if (byteOrderMark || (high_ && !invalid_ && pending_ == 0))
        return Kind::Utf8;
    return Kind::Windows1252;
}

CsvEncoding::Kind CsvEncoding::Detect(ByteSource& source)
{
    CsvEncoding encoding;
    std::string block;
    while (!source.AtEnd()) {
        block.resize(static_cast<size_t>(std::min<uint64_t>(source.Remaining(), 256 << 10)));
        source.Read(block.data(), block.size());
        encoding.Feed(block.data(), block.size());
        if (encoding.invalid_ && !encoding.byteOrderMark_ && encoding.seen_ >= 3)
            break;  // nothing later can make it UTF-8
    }
    return encoding.Result();
}
