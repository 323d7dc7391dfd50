#include "customers/CustomerCsvReport.h"

#include "customers/CsvLineReader.h"
#include "customers/DamagedMemoWalk.h"
#include "foundation/Utf8.h"
#include "messages/MessageCatalog.h"

namespace {

std::u16string Number(uint64_t n)
{
    return Utf8ToUtf16(std::to_string(n));
}

std::u16string WithReason(std::u16string message, const std::string& reason, CustomerCsvReport::Where where)
{
    if (where == CustomerCsvReport::Where::CommandLine && !reason.empty())
        message += u": " + Utf8ToUtf16(reason);
    return message;
}

}  // namespace

std::vector<std::u16string> CustomerCsvReport::Export(const CustomerCsvExport::Result& result, Where where)
{
    switch (result.status) {
    case CustomerCsvExport::Result::Status::CannotCreate:
        return {WithReason(MessageText(12), result.error, where)};
    case CustomerCsvExport::Result::Status::WriteFailed:
        return {u"Die CSV-Datei konnte nicht geschrieben werden:\n" + Utf8ToUtf16(result.error) +
                u"\n\nEine vorhandene Datei dieses Namens ist unverändert."};
    case CustomerCsvExport::Result::Status::Written:
        break;
    }
    if (result.damagedMemos.empty())
        return {};
    return {u"Die CSV-Datei wurde geschrieben. " + DamagedMemoWalk::Report(result.damagedMemos)};
}

std::u16string CustomerCsvReport::CannotOpen(const std::string& reason, Where where)
{
    return WithReason(MessageText(13), reason, where);
}

std::u16string CustomerCsvReport::ReadStopped(const std::string& reason)
{
    return u"Die Datei konnte nicht zu Ende gelesen werden:\n" + Utf8ToUtf16(reason) +
           u"\n\nDie bis dahin gelesenen Datensätze wurden übernommen.";
}

std::vector<std::u16string> CustomerCsvReport::Import(const CustomerCsvImport::Result& result)
{
    std::vector<std::u16string> messages;
    if (result.notStored > 0)
        messages.push_back(Number(result.notStored) + u" Datensätze der Datei konnten nicht gespeichert werden:\n" +
                           Utf8ToUtf16(result.firstError));
    if (result.tooLong > 0)
        messages.push_back(Number(result.tooLong) + u" Zeilen der Datei waren zu lang (ein Wert über " +
                           Number(CsvLineReader::kMaxValueBytes >> 20) + u" MB oder die Zeile über " +
                           Number(CsvLineReader::kMaxLineBytes >> 20) + u" MB) und wurden übersprungen.");
    if (result.replaced > 0)
        messages.push_back(Number(result.replaced) +
                           u" Zeichen der Datei gibt es in der Zeichentabelle der Kundendatenbank nicht; "
                           u"sie wurden als „?“ gespeichert.");
    return messages;
}
