#pragma once

#include "dbase/DbfCodePage.h"
#include "dbase/DbfField.h"
#include "dbase/DbfPairTag.h"

#include <cstdint>
#include <string>
#include <vector>

class ByteSource;

// The fixed part of a .dbf file: the 32-byte table header, one 32-byte descriptor per
// column and the terminating 0x0D. Records of RecordLength bytes follow at HeaderLength.
struct DbfHeader {
    static constexpr uint8_t kVersionPlain = 0x03;       // no memo file
    static constexpr uint8_t kVersionDBase3Memo = 0x83;  // memo file in dBase III form
    static constexpr uint8_t kVersionDBase4Memo = 0x8B;  // memo file in dBase IV form

    uint8_t version = kVersionPlain;
    uint32_t recordCount = 0;
    uint16_t headerLength = 0;
    uint16_t recordLength = 0;
    uint8_t languageDriver = DbfCodePage::kDriverWindows1252;  // the code page of the text
    DbfPairTag tag;                                            // which memo file belongs to this table (see DbfPairTag)
    // The number of records the header announces; more than recordCount when the file is
    // cut off and holds only recordCount whole records.
    uint32_t announcedRecordCount = 0;
    std::vector<DbfField> fields;
    std::vector<uint32_t> offsets;  // of each column inside a record (the deletion flag is byte 0)

    DbfCodePage CodePage() const { return DbfCodePage::ForLanguageDriver(languageDriver); }
    bool CutOff() const { return announcedRecordCount > recordCount; }
    bool HasMemoFile() const { return version == kVersionDBase3Memo || version == kVersionDBase4Memo; }
    uint64_t RecordOffset(uint32_t recNo) const  // recNo counts from 1
    {
        return headerLength + uint64_t(recNo - 1) * recordLength;
    }
};

// Reads and checks the header of a table file of fileSize bytes from its start; column names
// are decoded in the code page that the header names. Any damage
// (an unknown version, a header or record length that does not fit the columns, a column
// descriptor that makes no sense) raises IoError with a description; nothing is allocated
// beyond what the file holds. A file that ends before the records the header announces (a
// cut-off copy, a write that did not finish) is not refused: recordCount is then the number
// of whole records it holds, announcedRecordCount what the header says.
DbfHeader ReadDbfHeader(ByteSource& source, uint64_t fileSize);

// Checks a column list for creating a table in a code page (names, types, lengths, the
// record length) and raises IoError naming the file when dBase would not accept it.
void CheckDbfFields(const std::vector<DbfField>& fields, const std::string& fileName,
                    const DbfCodePage& codePage = DbfCodePage::Windows1252());

// Builds the header for a new table from a checked column list: version 0x8B when a memo
// column exists, 0x03 otherwise; today's date; no records; the given language driver byte;
// no tag.
DbfHeader MakeDbfHeader(const std::vector<DbfField>& fields, uint8_t languageDriver = DbfCodePage::kDriverWindows1252);

// The header's bytes, descriptors and 0x0D included.
std::string SerializeDbfHeader(const DbfHeader& header);

// The 8 bytes at offset 1: date of last update (today) and the record count.
std::string DbfDateAndCount(uint32_t recordCount);
