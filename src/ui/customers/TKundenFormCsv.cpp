#include "ui/customers/TKundenFormCsv.h"

#include "customers/CustomerCsvReport.h"
#include "customers/CustomerCursor.h"
#include "customers/CustomerTable.h"
#include "foundation/FileByteSource.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/Utf8.h"
#include "messages/CustomerMessages.h"
#include "ui/shared/ProgressReporter.h"
#include "ui/shared/QtText.h"
#include "ui/shared/StandardDialogs.h"

#include <memory>

namespace {

const QString kCsvFilter = QStringLiteral("CSV Dateien (*.csv)");

void ShowErrors(const std::vector<std::u16string>& messages)
{
    for (const std::u16string& message : messages)
        CurrentMessenger().ShowError(message);
}

}  // namespace

void TKundenFormCsv::Export()
{
    const QString file =
        CurrentDialogs().GetSaveFileName(&window_, QString(), QString(), kCsvFilter, QStringLiteral("csv"));
    if (file.isEmpty() || !cursor_.PostIfEditing())
        return;
    if (!cursor_.Active()) {
        CurrentMessenger().ShowError(std::u16string(CustomerMessages::kTableNotOpen));
        return;
    }
    // The export walks the table; the record the user stood on stays current.
    CustomerCsvExport::Result result;
    try {
        CustomerCursor::KeepPosition keep(cursor_);
        result = CustomerCsvExport::WriteFile(cursor_.Customers().Dbf1(), QStringToPath(file), SendProgress);
        keep.Restore();
    } catch (const IoError& error) {
        CurrentMessenger().ShowError(Utf8ToUtf16(error.what()));
    }
    SendProgress(0);
    cursor_.ShowCurrent();
    ShowErrors(CustomerCsvReport::Export(result, CustomerCsvReport::Where::Window));
}

void TKundenFormCsv::Import()
{
    const QString file = CurrentDialogs().GetOpenFileName(&window_, QString(), QString(), kCsvFilter);
    if (file.isEmpty() || !cursor_.PostIfEditing() || !cursor_.RepairBeforeChange())
        return;
    if (!cursor_.Active()) {
        CurrentMessenger().ShowError(std::u16string(CustomerMessages::kTableNotOpen));
        return;
    }
    // A first reading finds the file's encoding.
    std::unique_ptr<FileByteSource> source;
    CsvEncoding::Kind encoding = CsvEncoding::Kind::Windows1252;
    try {
        FileByteSource probe(QStringToPath(file));
        encoding = CsvEncoding::Detect(probe);
        source = std::make_unique<FileByteSource>(QStringToPath(file));
    } catch (const IoError& error) {
        CurrentMessenger().ShowError(CustomerCsvReport::CannotOpen(error.what(), CustomerCsvReport::Where::Window));
        return;
    }
    CustomerCsvImport::Result result;
    std::string readError;
    try {
        result = CustomerCsvImport::Read(cursor_.Customers().Dbf1(), *source, SendProgress, encoding);
    } catch (const IoError& error) {
        readError = error.what();
    }
    source.reset();
    SendProgress(0);
    cursor_.Reload();  // the new records appear, the last one current
    if (!readError.empty())
        CurrentMessenger().ShowError(CustomerCsvReport::ReadStopped(readError));
    ShowErrors(CustomerCsvReport::Import(result));
}
