// Damaged tables from tests/data (written by tests/tools/make-damaged-dbf.py): each gives a
// clear IoError at opening or when the damaged value is read, never a crash or a read past
// the file; a file cut off inside its records opens with its whole records and unchanged.
#include "dbase/DbfTable.h"
#include "foundation/IoError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

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
        {"dbf-memo-pointer-past-end", "Block 999 hinter dem Dateiende"},
        {"dbf-memo-pointer-not-a-number", "ungültiger Memoverweis"},
        {"dbf-memo-length-past-end", "reicht über das Dateiende"},
        {"dbf-memo-block-not-a-memo-start", "kein Memoanfang"},
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
