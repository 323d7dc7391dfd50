// Tables written by the module: exact bytes of header, records and memo blocks, and values
// read back after reopening.
#include "dbase/DbfTable.h"
#include "foundation/IoError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::vector<DbfField> SmallSchema()
{
    return {DbfField::Character(u"Firma", 10), DbfField::Character(u"PLZ", 5), DbfField::Memo(u"Mehr"),
            DbfField::Character(u"Ort", 12)};
}

uint32_t U32(const std::string& bytes, size_t at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(bytes[at + size_t(i)]);
    return v;
}

uint16_t U16(const std::string& bytes, size_t at)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1])
                                                                             << 8);
}

void AddRecord(DbfTable& table, std::u16string firma, std::u16string plz, std::u16string mehr, std::u16string ort)
{
    table.Append();
    table.SetValue(0, firma);
    table.SetValue(1, plz);
    table.SetValue(2, mehr);
    table.SetValue(3, ort);
    table.Post();
}

}  // namespace

TEST(DbfTable, CreatesDBaseIVFilesByteForByte)
{
    TempDir dir;
    DbfTable::Create(dir.File("t.dbf"), SmallSchema());
    const std::string dbf = ReadWholeFile(dir.File("t.dbf"));
    ASSERT_EQ(dbf.size(), 32u + 4 * 32 + 1 + 1);
    EXPECT_EQ(static_cast<unsigned char>(dbf[0]), 0x8B);
    EXPECT_EQ(U32(dbf, 4), 0u);
    EXPECT_EQ(U16(dbf, 8), 32 + 4 * 32 + 1);
    EXPECT_EQ(U16(dbf, 10), 1 + 10 + 5 + 10 + 12);
    EXPECT_EQ(std::string(dbf.data() + 32, 11), std::string("Firma\0\0\0\0\0\0", 11));
    EXPECT_EQ(dbf[32 + 11], 'C');
    EXPECT_EQ(dbf[32 + 16], 10);
    EXPECT_EQ(std::string(dbf.data() + 96, 5), std::string("Mehr\0", 5));
    EXPECT_EQ(dbf[96 + 11], 'M');
    EXPECT_EQ(dbf[96 + 16], 10);
    EXPECT_EQ(dbf[32 + 4 * 32], '\x0D');
    EXPECT_EQ(dbf.back(), '\x1A');

    const std::string dbt = ReadWholeFile(dir.File("t.dbt"));
    ASSERT_EQ(dbt.size(), 512u);
    EXPECT_EQ(U32(dbt, 0), 1u);    // next free block
    EXPECT_EQ(U16(dbt, 20), 512);  // block size

    DbfTable::Create(dir.File("plain.dbf"), {DbfField::Character(u"A", 3)});
    EXPECT_EQ(static_cast<unsigned char>(ReadWholeFile(dir.File("plain.dbf"))[0]), 0x03);
    EXPECT_THROW(ReadWholeFile(dir.File("plain.dbt")), std::runtime_error);
}

TEST(DbfTable, RecordsAndMemosAreStoredAsDBaseExpects)
{
    TempDir dir;
    const std::string path = dir.File("t.dbf");
    DbfTable::Create(path, SmallSchema());
    {
        DbfTable table;
        table.Open(path);
        EXPECT_TRUE(table.IsEmpty());
        AddRecord(table, u"Müller AG", u"93047", u"Zeile 1\r\nZeile 2", u"Regensburg");
        AddRecord(table, u"Überlanger Firmenname", u"", u"", u"  Ort  ");
    }
    const std::string dbf = ReadWholeFile(path);
    const size_t header = 32 + 4 * 32 + 1;
    const size_t length = 38;
    ASSERT_EQ(dbf.size(), header + 2 * length + 1);
    EXPECT_EQ(U32(dbf, 4), 2u);
    EXPECT_EQ(dbf.substr(header, length), std::string(" M\xFCller AG ") + "93047" + "         1" + "Regensburg  ");
    EXPECT_EQ(dbf.substr(header + length, length), std::string(" \xDC"
                                                               "berlanger") +
                                                       "     " + "          " + "  Ort       ");
    EXPECT_EQ(dbf.back(), '\x1A');

    const std::string dbt = ReadWholeFile(dir.File("t.dbt"));
    ASSERT_EQ(dbt.size(), 1024u);
    EXPECT_EQ(U32(dbt, 0), 2u);
    EXPECT_EQ(dbt.substr(512, 4), std::string("\xFF\xFF\x08\x00", 4));
    EXPECT_EQ(U32(dbt, 516), 8u + 16u);
    EXPECT_EQ(dbt.substr(520, 16), "Zeile 1\r\nZeile 2");

    DbfTable table;
    table.Open(path);
    ASSERT_EQ(table.FieldCount(), 4);
    EXPECT_EQ(table.Field(2), DbfField::Memo(u"Mehr"));
    EXPECT_EQ(table.Value(0), u"Müller AG");
    EXPECT_EQ(table.Value(u"mehr"), u"Zeile 1\r\nZeile 2");
    EXPECT_EQ(table.Value(u"ORT"), u"Regensburg");
    table.Next();
    EXPECT_EQ(table.Value(0), u"Überlanger");
    EXPECT_EQ(table.Value(1), u"");
    EXPECT_EQ(table.Value(2), u"");
    EXPECT_EQ(table.Value(3), u"  Ort");  // leading blanks stay, trailing ones go
    EXPECT_THROW(table.Value(u"Fehlt"), IoError);
}

TEST(DbfTable, EditedMemoGoesToNewBlocksAndLongMemosSpanBlocks)
{
    TempDir dir;
    const std::string path = dir.File("t.dbf");
    DbfTable::Create(path, SmallSchema());
    std::u16string longText;
    for (int i = 0; i < 300; ++i)
        longText += u"Zeile " + std::u16string(1, char16_t(u'A' + i % 26)) + u"\r\n";
    {
        DbfTable table;
        table.Open(path);
        AddRecord(table, u"A", u"1", u"kurz", u"X");
        AddRecord(table, u"B", u"2", u"zweiter", u"Y");
        table.First();
        table.Edit();
        table.SetValue(2, longText);
        EXPECT_EQ(table.Value(2), longText);  // the edit buffer, before posting
        table.Post();
    }
    const std::string dbt = ReadWholeFile(dir.File("t.dbt"));
    const size_t memoBytes = 8 + longText.size();
    EXPECT_EQ(dbt.size(), 512u * (3 + (memoBytes + 511) / 512));
    EXPECT_EQ(U32(dbt, 0), dbt.size() / 512);
    EXPECT_EQ(dbt.substr(520, 4), "kurz");  // the old memo is left whole

    DbfTable table;
    table.Open(path);
    EXPECT_EQ(table.Value(2), longText);
    table.Next();
    EXPECT_EQ(table.Value(2), u"zweiter");
    // Clearing a memo leaves a blank pointer.
    table.Edit();
    table.SetValue(2, u"");
    table.Post();
    table.Close();
    const std::string dbf = ReadWholeFile(path);
    EXPECT_EQ(dbf.substr(32 + 4 * 32 + 1 + 38 + 1 + 15, 10), std::string(10, ' '));
}

TEST(DbfTable, DeletedRecordsAreSkippedByEveryWalk)
{
    TempDir dir;
    const std::string path = dir.File("t.dbf");
    DbfTable::Create(path, SmallSchema());
    DbfTable table;
    table.Open(path);
    for (const char16_t* name : {u"eins", u"zwei", u"drei", u"vier"})
        AddRecord(table, name, u"", u"", u"");
    table.First();
    table.Next();
    table.Delete();  // "zwei"
    EXPECT_EQ(table.Value(0), u"drei");
    table.Last();
    table.Delete();  // "vier": the one before becomes current
    EXPECT_EQ(table.Value(0), u"drei");
    table.Close();
    EXPECT_EQ(ReadWholeFile(path)[32 + 4 * 32 + 1 + 38], '*');

    table.Open(path);
    std::vector<std::u16string> seen;
    for (table.First(); !table.Eof(); table.Next())
        seen.push_back(table.Value(0));
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"eins", u"drei"}));
    EXPECT_EQ(table.Value(0), u"drei");  // after the walk the last record is current
    EXPECT_FALSE(table.GoTo(2));
    EXPECT_TRUE(table.GoTo(3));
    EXPECT_EQ(table.PhysicalRecordCount(), 4u);
    seen.clear();
    for (table.Last(); !table.Bof(); table.Prior())
        seen.push_back(table.Value(0));
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"drei", u"eins"}));
}

TEST(DbfTable, CancelDiscardsAndCloseStoresAnEditInProgress)
{
    TempDir dir;
    const std::string path = dir.File("t.dbf");
    DbfTable::Create(path, SmallSchema());
    DbfTable table;
    table.Open(path);
    table.Append();
    table.SetValue(0, u"verworfen");
    table.Cancel();
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_EQ(table.PhysicalRecordCount(), 0u);
    EXPECT_THROW(table.Edit(), IoError);
    table.Append();
    table.SetValue(0, u"bleibt");
    table.SetValue(2, u"Memo");
    table.Close();
    table.Open(path);
    EXPECT_EQ(table.Value(0), u"bleibt");
    EXPECT_EQ(table.Value(2), u"Memo");
    table.Post();  // nothing being edited: no effect
    EXPECT_EQ(table.PhysicalRecordCount(), 1u);
}

TEST(DbfTable, RefusesColumnsThatDBaseDoesNotAllow)
{
    TempDir dir;
    const std::string path = dir.File("t.dbf");
    auto refused = [&](std::vector<DbfField> fields) {
        try {
            DbfTable::Create(path, fields);
        } catch (const IoError&) {
            return true;
        }
        return false;
    };
    EXPECT_TRUE(refused({}));
    EXPECT_TRUE(refused({DbfField::Character(u"", 5)}));
    EXPECT_TRUE(refused({DbfField::Character(u"Elfzeichen1", 5)}));
    EXPECT_TRUE(refused({DbfField::Character(u"Mit Blank", 5)}));
    EXPECT_TRUE(refused({DbfField::Character(u"A", 0)}));
    EXPECT_TRUE(refused({DbfField::Character(u"A", 255)}));
    EXPECT_TRUE(refused({DbfField::Character(u"Ort", 5), DbfField::Character(u"ORT", 5)}));
    std::vector<DbfField> wide;
    for (int i = 0; i < 16; ++i)
        wide.push_back(DbfField::Character(u"F" + std::u16string(1, char16_t(u'a' + i)), 254));
    EXPECT_TRUE(refused(wide));  // more than 4000 bytes per record
    EXPECT_FALSE(refused({DbfField::Character(u"Zehnzeiche", 254), DbfField::Character(u"Straße", 1)}));
    EXPECT_THROW(ReadWholeFile(path + ".neu"), std::runtime_error);
}

TEST(DbfTable, RawValuesCopyBytesCutAndPadded)
{
    TempDir dir;
    const std::string path = dir.File("t.dbf");
    DbfTable::Create(path, SmallSchema());
    DbfTable table;
    table.Open(path);
    EXPECT_EQ(table.RawValue(0), "");  // no current record
    AddRecord(table, u"Müller", u"12345", u"m", u"Regensburg");
    EXPECT_EQ(table.RawValue(0), std::string("M\xFCller    "));
    EXPECT_THROW(table.RawValue(2), IoError);
    table.SetRawValue(3, "Regensburg an der Donau");
    table.SetRawValue(1, "9");
    table.Post();
    EXPECT_EQ(table.Value(3), u"Regensburg a");
    EXPECT_EQ(table.RawValue(1), "9    ");
}
