#include "customers/CustomerCsvImport.h"

#include "customers/CsvLineParser.h"
#include "customers/CsvLineReader.h"
#include "dbase/DbfTable.h"
#include "foundation/ByteSource.h"
#include "foundation/Cp1252.h"
#include "foundation/IoError.h"
#include "foundation/Utf8.h"

#include <vector>

namespace {

// Characters of a value that the column will not hold as they are: those that the table's
// code page lacks, in the part of the value that a character column keeps.
uint64_t Unrepresentable(const DbfTable& table, int field, std::u16string_view value)
{
    const DbfField& f = table.Field(field);
    if (!f.IsMemo() && value.size() > size_t(f.length))
        value = value.substr(0, size_t(f.length));
    return table.CodePage().CountUnrepresentable(value);
}

}  // namespace

CustomerCsvImport::Result CustomerCsvImport::Read(DbfTable& table, ByteSource& source, const CustomerProgress& progress,
                                                  CsvEncoding::Kind encoding)
{
    if (!table.Active())
        throw IoError(table.Path(), "Die Kundentabelle ist nicht geöffnet");
    if (table.GetState() != DbfTable::State::Browse)
        throw IoError(table.Path(), "Ein Datensatz der Kundentabelle wird gerade bearbeitet");

    Result result;
    result.encoding = encoding;
    CustomerProgressSteps steps(progress);
    const uint64_t total = source.Remaining();
    steps.Report(0, 1);
    CsvLineReader reader(source);
    std::string line;
    const size_t columns = static_cast<size_t>(table.FieldCount());
    const bool utf8 = encoding == CsvEncoding::Kind::Utf8;

    if (reader.Next(line) != CsvLineReader::Result::End) {  // the header line
        while (true) {
            const CsvLineReader::Result read = reader.Next(line);
            if (read == CsvLineReader::Result::End)
                break;
            steps.Report(reader.Consumed(), total);
            if (read == CsvLineReader::Result::TooLong) {
                ++result.tooLong;
                continue;
            }
            if (line.empty())
                continue;
            const std::vector<std::u16string> values =
                CsvLineParser::Values(utf8 ? Utf8ToUtf16(line) : DecodeCp1252(line), columns);
            if (values.empty())
                continue;
            uint64_t replaced = 0;
            try {
                table.Append();
                for (size_t i = 0; i < values.size(); ++i) {
                    if (values[i].empty())  // a new record starts empty
                        continue;
                    table.SetValue(static_cast<int>(i), values[i]);
                    replaced += Unrepresentable(table, static_cast<int>(i), values[i]);
                }
                table.Post();
                ++result.added;
                result.replaced += replaced;
            } catch (const IoError& error) {
                table.Cancel();
                if (result.notStored++ == 0)
                    result.firstError = error.what();
            }
        }
    }
    steps.Report(1, 1);
    return result;
}
