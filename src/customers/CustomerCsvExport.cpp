#include "customers/CustomerCsvExport.h"

#include "customers/CsvValueCodec.h"
#include "customers/DamagedMemoWalk.h"
#include "dbase/DbfTable.h"
#include "foundation/AtomicFileSink.h"
#include "foundation/ByteSink.h"
#include "foundation/Cp1252.h"
#include "foundation/IoError.h"

#include <memory>
#include <vector>

namespace {

constexpr size_t kFlushBytes = size_t(64) << 10;

void AppendQuoted(std::string& line, std::string_view bytes)
{
    line.push_back('"');
    CsvValueCodec::AppendEscaped(line, bytes);
    line.push_back('"');
}

// The text of a character column as the table gives it (without the padding blanks), in the
// stored Windows-1252 bytes: the same bytes that encoding its value would give, without
// converting every value there and back.
std::string_view StoredText(std::string_view bytes)
{
    while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\0'))
        bytes.remove_suffix(1);
    return bytes;
}

}  // namespace

std::string CustomerCsvExport::HeaderLine(const DbfTable& table)
{
    std::string line;
    for (int i = 0; i < table.FieldCount(); ++i) {
        if (i > 0)
            line.push_back(';');
        AppendQuoted(line, EncodeCp1252(table.Field(i).name));
    }
    return line;
}

uint32_t CustomerCsvExport::Write(DbfTable& table, ByteSink& sink, const CustomerProgress& progress,
                                  std::vector<uint32_t>* damagedMemos)
{
    DamagedMemoWalk damaged(table);
    CustomerProgressSteps steps(progress);
    steps.Report(0, 1);
    std::string out = HeaderLine(table) + "\r\n";
    const uint64_t total = table.PhysicalRecordCount();
    const int fields = table.FieldCount();
    // Character columns of a Windows-1252 table go out as the bytes they are stored in.
    std::vector<bool> character;
    for (int i = 0; i < fields; ++i)
        character.push_back(table.Field(i).type == 'C' && table.CodePage().IsWindows1252());
    uint32_t records = 0;
    for (table.First(); !table.Eof(); table.Next()) {
        for (int i = 0; i < fields; ++i) {
            if (i > 0)
                out.push_back(';');
            if (character[size_t(i)])
                AppendQuoted(out, StoredText(table.RawValue(i)));
            else
                AppendQuoted(out, EncodeCp1252(table.Value(i)));
        }
        out += "\r\n";
        damaged.Visit();
        if (out.size() >= kFlushBytes) {
            sink.Write(out.data(), out.size());
            out.clear();
        }
        ++records;
        steps.Report(records, total);
    }
    sink.Write(out.data(), out.size());
    steps.Report(1, 1);
    if (damagedMemos)
        *damagedMemos = damaged.Records();
    return records;
}

CustomerCsvExport::Result CustomerCsvExport::WriteFile(DbfTable& table, const std::string& path,
                                                       const CustomerProgress& progress)
{
    Result result;
    std::unique_ptr<AtomicFileSink> sink;
    try {
        sink = std::make_unique<AtomicFileSink>(path);
    } catch (const IoError& error) {
        result.status = Result::Status::CannotCreate;
        result.error = error.what();
        return result;
    }
    try {
        result.records = Write(table, *sink, progress, &result.damagedMemos);
        sink->Commit();
    } catch (const IoError& error) {
        result.status = Result::Status::WriteFailed;
        result.error = error.what();
        result.records = 0;
        result.damagedMemos.clear();
    }
    return result;
}
