#include "customers/CustomerCsvImport.h"

#include "customers/CsvLineParser.h"
#include "customers/CsvLineReader.h"
#include "dbase/DbfTable.h"
#include "foundation/ByteSource.h"
#include "foundation/Cp1252.h"
#include "foundation/IoError.h"

#include <vector>

CustomerCsvImport::Result CustomerCsvImport::Read(DbfTable& table, ByteSource& source, const CustomerProgress& progress)
{
    if (!table.Active())
        throw IoError(table.Path(), "Die Kundentabelle ist nicht geöffnet");
    if (table.GetState() != DbfTable::State::Browse)
        throw IoError(table.Path(), "Ein Datensatz der Kundentabelle wird gerade bearbeitet");

    Result result;
    CustomerProgressSteps steps(progress);
    const uint64_t total = source.Remaining();
    steps.Report(0, 1);
    CsvLineReader reader(source);
    std::string line;
    const size_t columns = static_cast<size_t>(table.FieldCount());

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
            const std::vector<std::u16string> values = CsvLineParser::Values(DecodeCp1252(line), columns);
            if (values.empty())
                continue;
            try {
                table.Append();
                for (size_t i = 0; i < values.size(); ++i) {
                    if (!values[i].empty())  // a new record starts empty
                        table.SetValue(static_cast<int>(i), values[i]);
                }
                table.Post();
                ++result.added;
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
