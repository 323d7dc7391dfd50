// Values of number, date and logical columns in dBase's text forms: what is stored for a
// text, and texts that such a column cannot hold (refused, never cut).
#include "dbase/DbfValueCodec.h"
#include "foundation/IoError.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    DbfField field;
    std::u16string text;
    std::string stored;  // "" when refused
};

}  // namespace

TEST(DbfValueCodec, NumbersDatesAndLogicalValuesAreStoredInDBaseFormOrRefused)
{
    const DbfField money{u"Umsatz", 'N', 10, 2};
    const DbfField whole{u"Nummer", 'N', 6, 0};
    const DbfField date{u"Seit", 'D', 8, 0};
    const DbfField flag{u"Aktiv", 'L', 1, 0};
    const std::vector<Case> cases = {
        {money, u"12,5", "     12.50"},
        {money, u" -7.25 ", "     -7.25"},
        {money, u"00012", "     12.00"},
        {money, u"-0", "      0.00"},
        {money, u"1.230", "      1.23"},
        {money, u"", "          "},
        {money, u"1234.567", ""},
        {money, u"12345678.9", ""},
        {money, u"abc", ""},
        {money, u"1.2.3", ""},
        {money, u"-", ""},
        {whole, u"42", "    42"},
        {whole, u"4.0", "     4"},
        {whole, u"4.5", ""},
        {whole, u"1234567", ""},
        {date, u"20240229", "20240229"},
        {date, u"20230229", ""},
        {date, u"2024-02-29", ""},
        {date, u"20241301", ""},
        {date, u"", "        "},
        {flag, u"t", "T"},
        {flag, u"J", "T"},
        {flag, u"n", "F"},
        {flag, u"?", "?"},
        {flag, u"x", ""},
        {flag, u"TF", ""},
        {flag, u"", " "},
        {DbfField::Character(u"Ort", 5), u"Regensburg", "Regen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.field.type) + " \"" + std::string(c.text.begin(), c.text.end()) + "\"");
        if (c.stored.empty()) {
            EXPECT_THROW(DbfValueCodec::Encode(c.field, c.text, DbfCodePage::Windows1252(), "t.dbf"), IoError);
            continue;
        }
        const std::string stored = DbfValueCodec::Encode(c.field, c.text, DbfCodePage::Windows1252(), "t.dbf");
        EXPECT_EQ(stored, c.stored);
        // Read back as the trimmed text.
        std::string trimmed = c.stored;
        trimmed.erase(0, trimmed.find_first_not_of(' '));
        trimmed.erase(trimmed.find_last_not_of(' ') + 1);
        EXPECT_EQ(DbfValueCodec::Decode(c.field, stored, DbfCodePage::Windows1252()),
                  std::u16string(trimmed.begin(), trimmed.end()));
    }
    try {
        DbfValueCodec::Encode(money, u"viel", DbfCodePage::Windows1252(), "t.dbf");
        ADD_FAILURE() << "not refused";
    } catch (const IoError& error) {
        EXPECT_NE(std::string(error.what()).find("\"Umsatz\""), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("2 Nachkommastellen"), std::string::npos) << error.what();
    }
}
