#pragma once

#include "dbase/DbfDiskFile.h"
#include "dbase/DbfPairTag.h"

#include <cstdint>
#include <optional>
#include <string>

// The memo file (.dbt) beside a table: block 0 is the file header, every memo starts at the
// beginning of a block. In dBase IV form a memo starts with FF FF 08 00 and a 4-byte length
// that counts these 8 bytes; in dBase III form the text runs up to 0x1A. Texts are kept as
// the file's bytes (Windows-1252); the table converts them.
class DbfMemoFile {
public:
    enum class Style { DBase3, DBase4 };
    static constexpr uint32_t kBlockSize = 512;

    // The 512-byte header block of a new, empty memo file in dBase IV form, carrying the
    // tag of its table.
    static std::string NewFileHeader(const std::string& tableBaseName, const DbfPairTag& tag = {});

    // Opens and checks the header; a damaged header raises IoError.
    void Open(const std::string& path, Style style);
    void Close() { file_.Close(); }
    bool IsOpen() const { return file_.IsOpen(); }
    const std::string& Path() const { return file_.Path(); }
    uint32_t BlockSize() const { return blockSize_; }
    // The tag in the header (empty for memo files of other programs).
    const DbfPairTag& Tag() const { return tag_; }

    // The memo that starts at block (> 0). A block outside the file or a length that runs
    // past its end raises IoError; nothing larger than the file is ever allocated.
    std::string Read(uint32_t block) const;
    // The same, but damage (a block outside the file or no memo start, a length past the
    // end) gives nothing instead of an error, and its description in why when asked for.
    // A file that cannot be read still raises IoError.
    std::optional<std::string> ReadIfSound(uint32_t block, std::string* why = nullptr) const;

    // Stores bytes as a memo at the end of the file and returns its first block (0 for an
    // empty text). A memo is never written over an older one: until the record points to the
    // new blocks, the old text stays whole, whatever fails in between. The blocks that an
    // edited memo leaves behind are dropped by the next rebuild of the table.
    uint32_t Write(const std::string& bytes);

    void Sync() { file_.Sync(); }
    const DbfDiskFile& File() const { return file_; }

private:
    uint32_t NextFreeBlock() const;

    DbfDiskFile file_;
    Style style_ = Style::DBase4;
    uint32_t blockSize_ = kBlockSize;
    DbfPairTag tag_;
};
