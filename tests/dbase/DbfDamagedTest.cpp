// Damaged tables from tests/data (written by tests/tools/make-damaged-dbf.py): each gives a
// clear IoError at opening, never a crash or a read past the file; a damaged memo reads as
// empty and the table names its record, while every other record reads whole; a file cut off
// inside its records opens with its whole records and unchanged.
#include "dbase/DbfTable.h"
#include "foundation/IoError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::string Fixture(const std::string& name)
{
    return std::string(REKOLON_TEST_DATA) + "/" + name + ".dbf";
}

// The error text of opening the table and reading every value, or "" when all went well.
std::string OpenAndWalk(const std::string& name)
{
    try {
        DbfTable table;
        table.Open(Fixture(name));
        for (table.First(); !table.Eof(); table.Next()) {
            for (int i = 0; i < table.FieldCount(); ++i)
                table.Value(i);
        }
    } catch (const IoError& error) {
        return error.what();
    }
    return "";
}

}  // namespace

TEST(DbfDamaged, ValidFixtureReads)
{
    DbfTable table;
    table.Open(Fixture("dbf-valid-two-records"));
    EXPECT_EQ(table.Value(0), u"Müller AG");
    EXPECT_EQ(table.Value(1), u"Zeile 1\r\nZeile 2");
    table.Next();
    EXPECT_EQ(table.Value(2), u"Berlin");
}

TEST(DbfDamaged, EveryDefectGivesAClearError)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"dbf-cut-inside-header", "zu kurz"},
        {"dbf-header-length-past-end", "Kopflänge 65535"},
        {"dbf-header-length-inside-descriptors", "Tabellenkopf"},
        {"dbf-record-length-not-matching-fields", "Satzlänge 40 passt nicht"},
        {"dbf-descriptors-without-terminator", "0x0D"},
        {"dbf-unknown-field-type", "Feld 1 hat einen unbekannten Typ"},
        {"dbf-field-without-name", "Feld 1 hat keinen Namen"},
        {"dbf-memo-length-not-ten", "Feld 2 hat einen unbekannten Typ oder eine ungültige Länge"},
        {"dbf-unknown-version", "Versionskennung 49"},
        {"dbf-memo-field-without-memo-version", "Memofeld in einer Tabelle ohne Memodatei"},
        {"dbf-memo-file-missing", ""},
        {"dbf-memo-file-cut-inside-header", "Dateikopf fehlt"},
        {"dbf-memo-block-size-invalid", "Blockgröße 7"},
    };
    for (const auto& [name, expected] : cases) {
        const std::string error = OpenAndWalk(name);
        if (name == "dbf-memo-file-missing") {
            EXPECT_NE(error.find("dbf-memo-file-missing.dbt"), std::string::npos) << error;
            continue;
        }
        EXPECT_NE(error.find(expected), std::string::npos) << name << ": \"" << error << "\"";
    }
}

TEST(DbfDamaged, ATableThatFailedToOpenLeavesTheObjectClosedAndReusable)
{
    DbfTable table;
    EXPECT_THROW(table.Open(Fixture("dbf-memo-block-size-invalid")), IoError);
    EXPECT_FALSE(table.Active());
    EXPECT_THROW(table.First(), IoError);
    table.Open(Fixture("dbf-valid-two-records"));
    EXPECT_TRUE(table.Active());
    EXPECT_EQ(table.Value(2), u"Regensburg");
}

TEST(DbfDamaged, ADamagedMemoReadsAsEmptyAndItsRecordIsRemembered)
{
    // Each fixture's first record has the damaged memo.
    for (const std::string name : {"dbf-memo-pointer-past-end", "dbf-memo-pointer-not-a-number",
                                   "dbf-memo-length-past-end", "dbf-memo-block-not-a-memo-start"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(OpenAndWalk(name), "");
        DbfTable table;
        table.Open(Fixture(name));
        EXPECT_TRUE(table.DamagedMemoRecords().empty());
        EXPECT_EQ(table.Value(1), u"");
        EXPECT_FALSE(table.Value(0).empty());  // the record's other values are there
        EXPECT_EQ(table.DamagedMemoRecords(), (std::set<uint32_t>{1}));
        EXPECT_TRUE(table.MemoDamaged(1));
        table.ForgetDamagedMemos();
        EXPECT_FALSE(table.MemoDamaged(1));
    }
}

TEST(DbfDamaged, ADamagedMemoHidesNoOtherRecordFromAWalkOrASearch)
{
    DbfTable table;
    table.Open(Fixture("dbf-memo-pointer-past-end-in-record-3-of-5"));
    std::vector<std::u16string> memos;
    for (table.First(); !table.Eof(); table.Next())
        memos.push_back(table.Value(u"Mehr"));
    EXPECT_EQ(memos, (std::vector<std::u16string>{u"Notiz 1 über Tabellen", u"Notiz 2 über Tabellen", u"",
                                                  u"Notiz 4 über Tabellen", u"Notiz 5 über Tabellen"}));
    EXPECT_EQ(table.DamagedMemoRecords(), (std::set<uint32_t>{3}));

    // A filter that reads the memo sees every record after the damaged one.
    table.ForgetDamagedMemos();
    table.SetFilterCallback([](const DbfTable& t) { return t.Value(1).find(u"Tabellen") != std::u16string::npos; });
    table.SetFiltered(true);
    std::vector<uint32_t> found;
    for (table.First(); !table.Eof(); table.Next())
        found.push_back(table.RecNo());
    EXPECT_EQ(found, (std::vector<uint32_t>{1, 2, 4, 5}));
    EXPECT_EQ(table.DamagedMemoRecords(), (std::set<uint32_t>{3}));
    table.SetFiltered(false);

    // The grid's way of reading: the damaged record's other values are there.
    EXPECT_EQ(table.ValueAt(3, 0), u"Kunde 3");
    EXPECT_EQ(table.ValueAt(3, 1), u"");
    EXPECT_EQ(table.ValueAt(4, 1), u"Notiz 4 über Tabellen");
}

TEST(DbfDamaged, WritingANewMemoMendsTheRecord)
{
    TempDir dir;
    for (const char* ext : {".dbf", ".dbt"})
        WriteWholeFile(
            dir.File(std::string("t") + ext),
            ReadWholeFile(std::string(REKOLON_TEST_DATA) + "/dbf-memo-pointer-past-end-in-record-3-of-5" + ext));
    DbfTable table;
    table.Open(dir.File("t.dbf"));
    ASSERT_TRUE(table.GoTo(3));
    EXPECT_EQ(table.Value(1), u"");
    EXPECT_TRUE(table.MemoDamaged(3));
    table.SetValue(1, u"Neue Notiz");
    table.Post();
    EXPECT_FALSE(table.MemoDamaged(3));
    table.Close();
    table.Open(dir.File("t.dbf"));
    ASSERT_TRUE(table.GoTo(3));
    EXPECT_EQ(table.Value(1), u"Neue Notiz");
    EXPECT_TRUE(table.DamagedMemoRecords().empty());
}

TEST(DbfDamaged, CutOffTablesOpenWithTheirWholeRecordsAndStayUnchanged)
{
    struct Case {
        std::string name;
        uint32_t whole, announced;
        std::u16string lastFirma, lastMemo;
    };
    const std::vector<Case> cases = {
        {"dbf-last-record-cut-off", 32, 33, u"Kunde 32", u"Memo von Kunde 32\r\nzweite Zeile"},
        {"dbf-cut-inside-second-record", 1, 2, u"Müller AG", u"Zeile 1\r\nZeile 2"},
        {"dbf-record-count-past-end", 2, 0xFFFFFFFFu, u"Zweite", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("t.dbf");
        WriteWholeFile(path, ReadWholeFile(Fixture(c.name)));
        WriteWholeFile(dir.File("t.dbt"), ReadWholeFile(std::string(REKOLON_TEST_DATA) + "/" + c.name + ".dbt"));
        const std::string before = ReadWholeFile(path);
        DbfTable table;
        table.Open(path);
        EXPECT_TRUE(table.CutOff());
        EXPECT_EQ(table.PhysicalRecordCount(), c.whole);
        EXPECT_EQ(table.AnnouncedRecordCount(), c.announced);
        uint32_t walked = 0;
        for (table.First(); !table.Eof(); table.Next())
            ++walked;
        EXPECT_EQ(walked, c.whole);
        table.Last();
        EXPECT_EQ(table.Value(0), c.lastFirma);
        EXPECT_EQ(table.Value(1), c.lastMemo);
        EXPECT_FALSE(table.GoTo(c.whole + 1));
        // Every change is refused while the file is damaged.
        EXPECT_THROW(table.Append(), IoError);
        EXPECT_THROW(table.SetValue(0, u"geändert"), IoError);
        EXPECT_THROW(table.Delete(), IoError);
        EXPECT_EQ(table.GetState(), DbfTable::State::Browse);
        table.Close();
        EXPECT_EQ(ReadWholeFile(path), before);
    }
}
