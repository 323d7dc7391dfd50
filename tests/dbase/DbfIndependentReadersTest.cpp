// Tables written by the module are read back by two readers that are not ours (the npm
// package dbffile and Perl's XBase), and the module reads tables that XBase wrote. Both
// sides are compared as dumps: columns with type and length, every live record's values,
// and the number of deleted records.
#include "dbase/DbfTable.h"
#include "foundation/Utf8.h"
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
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c;
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
            description += (description.empty() ? "" : "\t") + Utf16ToUtf8(f.name) + ":" + f.type + ":" + std::to_string(f.length);
        description += "\n";
        for (const Row& row : Rows()) {
            for (const std::u16string& value : row.values)
                description += Escape(value) + "\t";
            description += row.deleted ? "1\n" : "0\n";
        }
        WriteWholeFile(dir.File("spec.txt"), description);
        ASSERT_EQ(RunCommand("perl " + kTools + "write-dbf.pl " + dir.File("perl.dbf") + " " + version + " < "
                      + dir.File("spec.txt") + " 2>&1"),
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
