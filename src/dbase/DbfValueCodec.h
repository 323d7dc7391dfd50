#pragma once

#include "dbase/DbfCodePage.h"
#include "dbase/DbfField.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text of one column inside a record, in both directions, in dBase's own text forms.
// Character columns are stored in the table's code page, padded with blanks on the right, and
// read back without the trailing blanks; a longer text is cut to the column's length. Numbers
// (N, F) are right-aligned digits with a point and the column's decimals ("   12.50"); dates
// (D) are YYYYMMDD; logical values (L) are T, F or ? (Y, J and N are taken as T, T and F). A
// number, date or logical value that the column cannot hold raises IoError: it is never cut.
class DbfValueCodec {
public:
    // The column's bytes as text (not for memo columns).
    static std::u16string Decode(const DbfField& field, std::string_view bytes, const DbfCodePage& codePage);
    // Exactly field.length bytes for the text (not for memo columns); an empty text gives
    // blanks. IoError names fileName and the column when the text does not fit the type.
    static std::string Encode(const DbfField& field, std::u16string_view text, const DbfCodePage& codePage,
                              const std::string& fileName = {});

    // The block number that a memo column's 10 bytes hold (0: no memo). Raises IoError
    // naming fileName when the bytes are not a block number.
    static uint32_t MemoBlock(std::string_view bytes, const std::string& fileName);
    // The same; nothing when the bytes are not a block number.
    static std::optional<uint32_t> ParseMemoBlock(std::string_view bytes);
    // The 10 bytes for a block number: right-aligned digits, blanks for 0.
    static std::string MemoPointer(uint32_t block);
};
