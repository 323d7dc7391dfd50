#include "foundation/StringRecords.h"

#include "foundation/Cp1252.h"
#include "foundation/IoError.h"

#include <limits>

namespace {

int32_t CheckedCount(size_t n, const ByteSink& sink)
{
    if (n > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw IoError(sink.Name(), "Text zu lang für einen Datensatz");
    return static_cast<int32_t>(n);
}

// Reads a count and makes sure that count × unitSize bytes are really there.
size_t ReadCount(ByteSource& source, size_t unitSize)
{
    const int32_t n = source.ReadI32();
    if (n < 0 || static_cast<uint64_t>(n) * unitSize > source.Remaining())
        source.FailPastEnd();
    return static_cast<size_t>(n);
}

}

void WriteStr8(ByteSink& sink, std::u16string_view text)
{
    const std::string bytes = EncodeCp1252(text);
    sink.WriteI32(CheckedCount(bytes.size(), sink));
    sink.Write(bytes.data(), bytes.size());
}

std::u16string ReadStr8(ByteSource& source)
{
    const size_t n = ReadCount(source, 1);
    std::string bytes(n, '\0');
    source.Read(bytes.data(), n);
    return DecodeCp1252(bytes);
}

void WriteStr16(ByteSink& sink, std::u16string_view text)
{
    sink.WriteI32(CheckedCount(text.size(), sink));
    std::string bytes(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    sink.Write(bytes.data(), bytes.size());
}

std::u16string ReadStr16(ByteSource& source)
{
    const size_t n = ReadCount(source, 2);
    std::string bytes(n * 2, '\0');
    source.Read(bytes.data(), bytes.size());
    std::u16string text(n, u'\0');
    for (size_t i = 0; i < n; ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return text;
}
