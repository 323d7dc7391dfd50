// Tables written by the module are read back by two readers that are not ours (the npm
// package dbffile and Perl's XBase), and the module reads tables that XBase wrote. Both
// sides are compared as dumps: columns with type and length, every live record's values,
// and the number of deleted records.
#include "customers/CustomerTable.h"
#include "dbase/DbfTable.h"
#include "foundation/Utf8.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace {

const std::string kTools = std::string(REKOLON_TEST_DATA) + "/../tools/";

struct Row {
    std::vector<std::u16string> values;
    bool deleted = false;
};

std::string Escape(std::u16string_view text)
{
    std::string out;
    for (char c : Utf16ToUtf8(text)) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    return text;
}

// The dump that the reader scripts print for these columns and rows; names in upper case
// when the reader gives them so (XBase).
std::string ExpectedDump(const std::vector<DbfField>& fields, const std::vector<Row>& rows, bool upperNames)
{
    std::string dump;
    for (const DbfField& f : fields) {
        const std::string name = Utf16ToUtf8(f.name);
        dump += "FIELD\t" + (upperNames ? Upper(name) : name) + "\t" + f.type + "\t" + std::to_string(f.length) + "\n";
    }
    int deleted = 0;
    for (const Row& row : rows) {
        if (row.deleted) {
            ++deleted;
            continue;
        }
        dump += "RECORD";
        for (size_t i = 0; i < fields.size(); ++i) {
            std::u16string value = row.values[i];
            if (fields[i].IsCharacter() && value.size() > size_t(fields[i].length))
                value.resize(size_t(fields[i].length));
            while (fields[i].IsCharacter() && !value.empty() && value.back() == u' ')
                value.pop_back();
            dump += "\t" + Escape(value);
        }
        dump += "\n";
    }
    return dump + "DELETED\t" + std::to_string(deleted) + "\n";
}

// Standard output of a shell command, or the exit status and output when it failed.
std::string RunCommand(const std::string& command)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return "popen failed";
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int status = pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "exit " + std::to_string(status) + ": " + out;
    return out;
}

std::string DumpOurs(const std::string& path)
{
    DbfTable table;
    table.Open(path);
    std::vector<DbfField> fields = table.Fields();
    std::vector<Row> rows;
    for (table.First(); !table.Eof(); table.Next()) {
        Row row;
        for (int i = 0; i < table.FieldCount(); ++i)
            row.values.push_back(table.Value(i));
        rows.push_back(row);
    }
    const uint32_t live = static_cast<uint32_t>(rows.size());
    for (uint32_t i = live; i < table.PhysicalRecordCount(); ++i)
        rows.push_back({std::vector<std::u16string>(fields.size()), true});
    return ExpectedDump(fields, rows, false);
}

std::vector<DbfField> Columns()
{
    return {DbfField::Character(u"Firma", 45), DbfField::Character(u"PLZ", 10), DbfField::Memo(u"Mehr"),
            DbfField::Character(u"Ort", 5), DbfField::Character(u"Strasse", 30)};
}

std::vector<Row> Rows()
{
    std::u16string longMemo;
    for (int i = 0; i < 120; ++i)
        longMemo += u"Zeile " + std::u16string(1, char16_t(u'a' + i % 26)) + u" mit Ümläuten äöüß\r\n";
    return {
        {{u"Müller & Söhne GmbH", u"93047", u"Erste Zeile\r\nZweite Zeile\r\n", u"Regensburg", u"Hauptstraße 1"}},
        {{u"Gelöscht KG", u"12345", u"weg", u"Ulm", u""}, true},
        {{u"", u"", u"", u"", u""}},
        {{u"Café «Zürich»", u"8001", longMemo, u"Zürich", u"Bahnhofstr. 5 – 7 €"}},
        {{u"  führende Blanks", u"0", u"Tab\tund \\ Backslash", u"Köln", u"Ende  "}},
    };
}

void WriteOurs(const std::string& path)
{
    DbfTable::Create(path, Columns());
    DbfTable table;
    table.Open(path);
    for (const Row& row : Rows()) {
        table.Append();
        for (size_t i = 0; i < row.values.size(); ++i)
            table.SetValue(int(i), row.values[i]);
        table.Post();
        if (row.deleted) {
            table.Last();
            table.Delete();
        }
    }
}

}  // namespace

TEST(DbfIndependentReaders, DbffileReadsOurTable)
{
    TempDir dir;
    WriteOurs(dir.File("ours.dbf"));
    EXPECT_EQ(RunCommand("node " + kTools + "read-dbf.js " + dir.File("ours.dbf") + " 2>&1"),
              ExpectedDump(Columns(), Rows(), false));
}

TEST(DbfIndependentReaders, PerlXBaseReadsOurTable)
{
    TempDir dir;
    WriteOurs(dir.File("ours.dbf"));
    EXPECT_EQ(RunCommand("perl " + kTools + "read-dbf.pl " + dir.File("ours.dbf") + " 2>&1"),
              ExpectedDump(Columns(), Rows(), true));
}

TEST(DbfIndependentReaders, WeReadTablesThatPerlXBaseWrote)
{
    for (const std::string version : {"0x8B", ""}) {  // dBase IV memo, dBase III memo
        TempDir dir;
        std::string description;
        for (const DbfField& f : Columns())
            description +=
                (description.empty() ? "" : "\t") + Utf16ToUtf8(f.name) + ":" + f.type + ":" + std::to_string(f.length);
        description += "\n";
        for (const Row& row : Rows()) {
            for (const std::u16string& value : row.values)
                description += Escape(value) + "\t";
            description += row.deleted ? "1\n" : "0\n";
        }
        WriteWholeFile(dir.File("spec.txt"), description);
        ASSERT_EQ(RunCommand("perl " + kTools + "write-dbf.pl " + dir.File("perl.dbf") + " " + version + " < " +
                             dir.File("spec.txt") + " 2>&1"),
                  "");
        DbfTable table;
        table.Open(dir.File("perl.dbf"));
        EXPECT_EQ(table.Version(), version.empty() ? 0x83 : 0x8B);
        table.Close();
        std::vector<DbfField> upper = Columns();
        for (DbfField& f : upper)
            f.name = Utf8ToUtf16(Upper(Utf16ToUtf8(f.name)));
        EXPECT_EQ(DumpOurs(dir.File("perl.dbf")), ExpectedDump(upper, Rows(), false)) << "version " << version;
    }
}

namespace {

// customers.dbf in dir, written by another program with the columns FIRMA C 30, UMSATZ N 10.2,
// SEIT D, AKTIV L, MEHR M and NUMMER N 6: the start appends "Kostenst" by a rebuild, every
// value stays as it was (byte for byte), and the independent readers read the result.
void ExpectKostenstAddedKeepingEveryValue(const TempDir& dir, const std::vector<Row>& rows)
{
    const std::string before = ReadWholeFile(dir.File("customers.dbf"));
    ScriptedMessenger messenger;
    CustomerTable customers;
    ASSERT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::Opened);
    EXPECT_TRUE(messenger.Boxes().empty()) << (messenger.Errors().empty() ? "" : Utf16ToUtf8(messenger.Errors()[0]));
    DbfTable& table = customers.Dbf1();
    const std::vector<DbfField> fields = {{u"FIRMA", 'C', 30, 0},
                                          {u"UMSATZ", 'N', 10, 2},
                                          {u"SEIT", 'D', 8, 0},
                                          {u"AKTIV", 'L', 1, 0},
                                          {u"MEHR", 'M', 10, 0},
                                          {u"NUMMER", 'N', 6, 0},
                                          DbfField::Character(u"Kostenst", 45)};
    ASSERT_EQ(table.Fields(), fields);
    EXPECT_EQ(DumpOurs(dir.File("customers.dbf")), ExpectedDump(fields, rows, false));
    EXPECT_EQ(RunCommand("node " + kTools + "read-dbf.js " + dir.File("customers.dbf") + " 2>&1"),
              ExpectedDump(fields, rows, false));
    EXPECT_EQ(RunCommand("perl " + kTools + "read-dbf.pl " + dir.File("customers.dbf") + " 2>&1"),
              ExpectedDump(fields, rows, true));

    // The stored bytes of every column are those the other program wrote.
    DbfTable old;
    old.Open(dir.File("customers0.dbf"));
    EXPECT_EQ(ReadWholeFile(dir.File("customers0.dbf")), before);
    size_t compared = 0;
    for (table.First(), old.First(); !table.Eof() && !old.Eof(); table.Next(), old.Next(), ++compared) {
        for (int i = 0; i < old.FieldCount(); ++i) {
            if (!old.Field(i).IsMemo()) {
                EXPECT_EQ(table.RawValue(i), old.RawValue(i)) << "column " << i;
            }
        }
    }
    EXPECT_EQ(compared, rows.size());
}

std::vector<Row> NumberDateLogicalRows(const std::u16string& firstMemo)
{
    return {
        {{u"Müller & Söhne", u"1234.50", u"20200131", u"T", firstMemo, u"42", u""}},
        {{u"Schmidt", u"-7.25", u"19991231", u"F", u"", u"0", u""}},
        {{u"Ohne", u"0.00", u"20240229", u"T", u"x", u"999999", u""}},
    };
}

}  // namespace

TEST(DbfIndependentReaders, APerlXBaseTableWithNumberDateAndLogicalColumnsTakesANewColumn)
{
    TempDir dir;
    const std::string description = "Firma:C:30\tUmsatz:N:10:2\tSeit:D:8\tAktiv:L:1\tMehr:M:10\tNummer:N:6:0\n"
                                    "Müller & Söhne\t1234.5\t20200131\t1\tErste Zeile\\r\\nzweite\t42\t0\n"
                                    "Gelöscht\t1\t20000101\t0\tweg\t1\t1\n"
                                    "Schmidt\t-7.25\t19991231\t0\t\t0\t0\n"
                                    "Ohne\t0\t20240229\t1\tx\t999999\t0\n";
    WriteWholeFile(dir.File("spec.txt"), description);
    ASSERT_EQ(RunCommand("perl " + kTools + "write-dbf.pl " + dir.File("customers.dbf") + " 0x8B < " +
                         dir.File("spec.txt") + " 2>&1"),
              "");
    ExpectKostenstAddedKeepingEveryValue(dir, NumberDateLogicalRows(u"Erste Zeile\r\nzweite"));
}

TEST(DbfIndependentReaders, ALibreOfficeTableWithNumberDateAndLogicalColumnsTakesANewColumn)
{
    // Written by LibreOffice Calc (tests/tools/make-libreoffice-dbf.sh): dBase III with memo.
    TempDir dir;
    const std::string fixture = std::string(REKOLON_TEST_DATA) + "/dbf-libreoffice-number-date-logical";
    WriteWholeFile(dir.File("customers.dbf"), ReadWholeFile(fixture + ".dbf"));
    WriteWholeFile(dir.File("customers.dbt"), ReadWholeFile(fixture + ".dbt"));
    ExpectKostenstAddedKeepingEveryValue(dir, NumberDateLogicalRows(u"Erste Zeile\r\nzweite Zeile"));
}
