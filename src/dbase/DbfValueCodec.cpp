#include "dbase/DbfValueCodec.h"

#include "foundation/IoError.h"

#include <algorithm>

namespace {

bool IsPad(char c)
{
    return c == ' ' || c == '\0';
}

std::string_view TrimRight(std::string_view bytes)
{
    while (!bytes.empty() && IsPad(bytes.back()))
        bytes.remove_suffix(1);
    return bytes;
}

std::string_view TrimBoth(std::string_view bytes)
{
    bytes = TrimRight(bytes);
    while (!bytes.empty() && IsPad(bytes.front()))
        bytes.remove_prefix(1);
    return bytes;
}

}  // namespace

std::u16string DbfValueCodec::Decode(const DbfField& field, std::string_view bytes, const DbfCodePage& codePage)
{
    if (field.type == 'C')
        return codePage.Decode(TrimRight(bytes));
    return codePage.Decode(TrimBoth(bytes));
}

std::string DbfValueCodec::Encode(const DbfField& field, std::u16string_view text, const DbfCodePage& codePage)
{
    const size_t length = static_cast<size_t>(field.length);
    std::string bytes = codePage.Encode(text);
    if (bytes.size() > length)
        bytes.resize(length);
    if (field.type == 'N' || field.type == 'F')
        return std::string(length - bytes.size(), ' ') + bytes;
    bytes.resize(length, ' ');
    return bytes;
}

std::optional<uint32_t> DbfValueCodec::ParseMemoBlock(std::string_view bytes)
{
    const std::string_view digits = TrimBoth(bytes);
    uint64_t block = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        block = block * 10 + uint64_t(c - '0');
        if (block > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<uint32_t>(block);
}

uint32_t DbfValueCodec::MemoBlock(std::string_view bytes, const std::string& fileName)
{
    const std::optional<uint32_t> block = ParseMemoBlock(bytes);
    if (!block)
        throw IoError(fileName, "Beschädigte dBase-Tabelle: ungültiger Memoverweis");
    return *block;
}

std::string DbfValueCodec::MemoPointer(uint32_t block)
{
    if (block == 0)
        return std::string(10, ' ');
    const std::string digits = std::to_string(block);
    return std::string(10 - digits.size(), ' ') + digits;
}
