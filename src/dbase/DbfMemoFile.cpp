#include "dbase/DbfMemoFile.h"

#include "foundation/IoError.h"

#include <algorithm>
#include <limits>

namespace {

constexpr unsigned char kDBase4Signature[4] = {0xFF, 0xFF, 0x08, 0x00};

uint32_t U32At(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void PutU32(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

[[noreturn]] void Damaged(const std::string& file, const std::string& what)
{
    throw IoError(file, "Beschädigte Memodatei: " + what);
}

}  // namespace

std::string DbfMemoFile::NewFileHeader(const std::string& tableBaseName, const DbfPairTag& tag)
{
    std::string header(kBlockSize, '\0');
    PutU32(header, 0, 1);           // next free block
    PutU32(header, 4, kBlockSize);  // block size as some readers expect it here
    const std::string name = tableBaseName.substr(0, 8);
    std::copy(name.begin(), name.end(), header.begin() + 8);
    header[20] = static_cast<char>(kBlockSize & 0xFF);  // block size, dBase IV
    header[21] = static_cast<char>(kBlockSize >> 8);
    const std::string tagBytes = tag.Bytes();
    std::copy(tagBytes.begin(), tagBytes.end(), header.begin() + DbfPairTag::kMemoOffset);
    return header;
}

void DbfMemoFile::Open(const std::string& path, Style style)
{
    file_.Open(path);
    style_ = style;
    blockSize_ = kBlockSize;
    if (file_.Size() < 24) {
        file_.Close();
        Damaged(path, "der Dateikopf fehlt");
    }
    unsigned char head[24];
    file_.ReadAt(0, head, sizeof head);
    std::string tag(DbfPairTag::kSize, '\0');
    tag.resize(file_.ReadSomeAt(DbfPairTag::kMemoOffset, tag.data(), tag.size()));
    tag_ = DbfPairTag::FromBytes(tag);
    if (style == Style::DBase4) {
        uint32_t size = uint32_t(head[20]) | uint32_t(head[21]) << 8;
        if (size == 0)
            size = U32At(head + 4);
        if (size == 0)
            size = kBlockSize;
        if (size < 64 || size > 32768) {
            file_.Close();
            Damaged(path, "ungültige Blockgröße " + std::to_string(size));
        }
        blockSize_ = size;
    }
}

uint32_t DbfMemoFile::NextFreeBlock() const
{
    // The end of the file decides, not the header's count: a damaged count can then
    // neither make a memo overwrite another one nor leave a huge hole in the file.
    const uint64_t blocks = (file_.Size() + blockSize_ - 1) / blockSize_;
    if (blocks >= std::numeric_limits<uint32_t>::max())
        throw IoError(file_.Path(), "Die Memodatei ist voll");
    return static_cast<uint32_t>(std::max<uint64_t>(blocks, 1));
}

std::string DbfMemoFile::Read(uint32_t block) const
{
    std::string why;
    std::optional<std::string> text = ReadIfSound(block, &why);
    if (!text)
        Damaged(file_.Path(), why);
    return std::move(*text);
}

std::optional<std::string> DbfMemoFile::ReadIfSound(uint32_t block, std::string* why) const
{
    const auto damaged = [why](std::string what) -> std::optional<std::string> {
        if (why)
            *why = std::move(what);
        return std::nullopt;
    };
    const uint64_t offset = uint64_t(block) * blockSize_;
    const uint64_t size = file_.Size();
    if (block == 0 || offset >= size)
        return damaged("Verweis auf Block " + std::to_string(block) + " hinter dem Dateiende");
    unsigned char head[8] = {};
    const size_t got = file_.ReadSomeAt(offset, head, sizeof head);
    if (got == 8 && std::equal(head, head + 4, kDBase4Signature)) {
        const uint32_t length = U32At(head + 4);
        if (length < 8 || offset + length > size)
            return damaged("die Länge des Memos in Block " + std::to_string(block) + " reicht über das Dateiende");
        std::string text(length - 8, '\0');
        file_.ReadAt(offset + 8, text.data(), text.size());
        return text;
    }
    if (style_ == Style::DBase4)
        return damaged("Block " + std::to_string(block) + " ist kein Memoanfang");
    // dBase III: the text runs up to the first 0x1A (or the end of the file).
    std::string text;
    char chunk[4096];
    uint64_t at = offset;
    while (at < size) {
        const size_t n = file_.ReadSomeAt(at, chunk, static_cast<size_t>(std::min<uint64_t>(sizeof chunk, size - at)));
        if (n == 0)
            break;
        const char* end = std::find(chunk, chunk + n, '\x1A');
        text.append(chunk, static_cast<size_t>(end - chunk));
        if (end != chunk + n)
            break;
        at += n;
    }
    return text;
}

uint32_t DbfMemoFile::Write(const std::string& bytes)
{
    if (bytes.empty())
        return 0;
    std::string data;
    if (style_ == Style::DBase4) {
        if (bytes.size() > std::numeric_limits<uint32_t>::max() - 8 - blockSize_)
            throw IoError(file_.Path(), "Der Memotext ist zu lang");
        data.assign(8, '\0');
        std::copy(kDBase4Signature, kDBase4Signature + 4, data.begin());
        PutU32(data, 4, static_cast<uint32_t>(bytes.size() + 8));
        data += bytes;
    } else {
        data = bytes + "\x1A\x1A";
    }
    const uint64_t needed = (data.size() + blockSize_ - 1) / blockSize_;
    data.resize(needed * blockSize_, '\0');

    const uint32_t block = NextFreeBlock();
    if (uint64_t(block) + needed >= std::numeric_limits<uint32_t>::max())
        throw IoError(file_.Path(), "Die Memodatei ist voll");
    file_.WriteAt(uint64_t(block) * blockSize_, data.data(), data.size());
    std::string next(4, '\0');
    PutU32(next, 0, static_cast<uint32_t>(block + needed));
    file_.WriteAt(0, next.data(), next.size());
    return block;
}
