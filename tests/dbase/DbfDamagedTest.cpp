// Damaged tables from tests/data (written by tests/tools/make-damaged-dbf.py): each gives a
// clear IoError at opening or when the damaged value is read, never a crash or a read past
// the file.
#include "dbase/DbfTable.h"
#include "foundation/IoError.h"

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
        {"dbf-cut-inside-second-record", "kürzer als die angegebenen 2 Datensätze"},
        {"dbf-record-count-past-end", "kürzer als die angegebenen 4294967295 Datensätze"},
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
