#include "app/BatchCommands.h"

#include "customers/CustomerCsvExport.h"
#include "customers/CustomerCsvImport.h"
#include "customers/CustomerCsvReport.h"
#include "customers/CustomerTable.h"
#include "einvoice/EInvoiceBuilder.h"
#include "einvoice/EInvoiceExport.h"
#include "einvoice/HybridPdfExport.h"
#include "foundation/DataFolder.h"
#include "foundation/FileByteSource.h"
#include "foundation/IoError.h"
#include "foundation/StaleFiles.h"
#include "foundation/Utf8.h"
#include "invoices/InvoiceTotals.h"
#include "invoices/NumberText.h"
#include "invoices/RechnungList.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "messages/MessageCatalog.h"
#include "output/PdfExport.h"
#include "qtoutput/QtPrinterPage.h"
#include "received/ReceivedInvoiceCheck.h"
#include "received/ReceivedInvoiceReader.h"
#include "received/ReceivedPdfExport.h"
#include "ui/settings/TDataPathForm.h"
#include "ui/shared/LocaleFormat.h"
#include "ui/shared/QtText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <memory>
#include <new>

namespace {

// Loads the book of the data folder; false (reported) when the file is damaged or unreadable.
bool LoadBook(TRechnungBook& book, const QString& dataFolder)
{
    book.progpath = book.appdatapath = ToU16(dataFolder);
    StaleFiles::ClaimFolders(QStringToPath(dataFolder));
    const TRechnungBook::OpenResult result = book.OpenRechnungen();
    return result == TRechnungBook::OpenResult::Loaded || result == TRechnungBook::OpenResult::NoFile;
}

std::u16string Line(const std::u16string& text)
{
    // A list line is one line: line breaks and tabs inside a field become spaces.
    std::u16string out = text;
    for (char16_t& c : out) {
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    }
    return out;
}

}

QString BatchDataFolder(const QString& dataDirOption)
{
    if (!dataDirOption.isEmpty())
        return PathToQString(WithTrailingSlash(QStringToPath(dataDirOption)));
    return PathToQString(ChooseDataFolder(TDataPathForm::StoredChoice(), TDataPathForm::ProgramFolderPath()));
}

int RunList(const QString& dataFolder, std::FILE* out)
{
    TRechnungBook book;
    if (!LoadBook(book, dataFolder))
        return 1;
    const LocaleFormat format = LocaleFormat::FromSystem();
    const std::u16string& currency = book.settings.WaehrEd;
    for (uint32_t i = 0; i < book.RechnungCount(); ++i) {
        const TRechnungRec& r = book.Rechnung(i);
        // One pass over the pattern, so that a "%1" inside a text stays as it is.
        const QString line =
            QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6 %7")
                .arg(QString::number(i + 1), ToQString(Line(std::u16string(TextOf(r.rechnr)))),
                     ToQString(RechnungColumnText(r, 0, format.shortDate)),
                     ToQString(Line(std::u16string(TextOf(r.firma)))), ToQString(Line(std::u16string(TextOf(r.name)))),
                     ToQString(FormatFixed2(InvoiceTotals::Of(r).gross, format.decimalSeparator)), ToQString(currency));
        std::fputs(line.toUtf8().constData(), out);
        std::fputc('\n', out);
    }
    return 0;
}

int RunExportPdf(const QString& dataFolder, int position, const QString& outputFile, int kind, std::FILE* errors)
{
    TRechnungBook book;
    if (!LoadBook(book, dataFolder))
        return 1;
    if (position < 1 || uint32_t(position) > book.RechnungCount()) {
        std::fprintf(errors, "Keine Rechnung an Position %d (das Buch hat %u Rechnungen)\n", position,
                     book.RechnungCount());
        return 1;
    }
    const LocaleFormat format = LocaleFormat::FromSystem();
    try {
        const PdfExportResult result =
            ExportPdf(book, position - 1, kind, QStringToPath(outputFile), CurrentPrinterPage(), format);
        return result == PdfExportResult::Written ? 0 : 1;
    } catch (const IoError& error) {
        std::fprintf(errors, "%s\n", error.what());
        return 1;
    }
}

namespace {

// Loads the book and finds invoice `position` (1-based); false (reported) when either fails.
bool LoadInvoice(TRechnungBook& book, const QString& dataFolder, int position, std::FILE* errors)
{
    if (!LoadBook(book, dataFolder))
        return false;
    if (position < 1 || uint32_t(position) > book.RechnungCount()) {
        std::fprintf(errors, "Keine Rechnung an Position %d (das Buch hat %u Rechnungen)\n", position,
                     book.RechnungCount());
        return false;
    }
    return true;
}

// One line (or paragraph) per message.
void PrintLines(const std::vector<std::u16string>& lines, std::FILE* to)
{
    for (const std::u16string& line : lines)
        std::fprintf(to, "%s\n", Utf16ToUtf8(line).c_str());
}

}

int RunExportEInvoice(const QString& dataFolder, int position, const QString& outputFile, int kind,
                      std::optional<EInvoiceProfile> profile, std::FILE* errors)
{
    TRechnungBook book;
    if (!LoadInvoice(book, dataFolder, position, errors))
        return 1;
    try {
        const EInvoiceExportResult result =
            ExportEInvoice(book, position - 1, kind, profile.value_or(DefaultEInvoiceProfile(book.settings)),
                           QStringToPath(outputFile));
        PrintLines(result.gaps, errors);
        return result.status == EInvoiceExportResult::Status::Written ? 0 : 1;
    } catch (const IoError& error) {
        std::fprintf(errors, "%s\n", error.what());
        return 1;
    }
}

int RunExportHybridPdf(const QString& dataFolder, int position, const QString& outputFile, int kind,
                       std::optional<EInvoiceProfile> profile, std::FILE* errors)
{
    TRechnungBook book;
    if (!LoadInvoice(book, dataFolder, position, errors))
        return 1;
    const LocaleFormat format = LocaleFormat::FromSystem();
    try {
        const EInvoiceExportResult result =
            ExportHybridPdf(book, position - 1, kind, profile.value_or(DefaultEInvoiceProfile(book.settings)),
                            QStringToPath(outputFile), CurrentPrinterPage(), format, HybridPdfTime::Now());
        PrintLines(result.gaps, errors);
        return result.status == EInvoiceExportResult::Status::Written ? 0 : 1;
    } catch (const IoError& error) {
        std::fprintf(errors, "%s\n", error.what());
        return 1;
    }
}

int RunCheckEInvoice(const QString& dataFolder, int position, int kind, std::optional<EInvoiceProfile> profile,
                     std::FILE* out, std::FILE* errors)
{
    TRechnungBook book;
    if (!LoadInvoice(book, dataFolder, position, errors))
        return 1;
    const EInvoiceBuild build =
        BuildEInvoice(book, uint32_t(position - 1), kind, profile.value_or(DefaultEInvoiceProfile(book.settings)));
    PrintLines(build.gaps, out);
    return build.gaps.empty() ? 0 : 1;
}

namespace {

// The customer table of the data folder, opened or created as at start; false (reported)
// when there is none to work on.
bool OpenCustomers(CustomerTable& customers, const QString& dataFolder, std::FILE* errors)
{
    const std::string folder = QStringToPath(dataFolder);
    CreateFolderChain(folder);  // as at start
    StaleFiles::ClaimFolders(folder);
    const CustomerTable::InitResult result = customers.InitDataBase(folder);
    if (result == CustomerTable::InitResult::CreateFailed)
        std::fprintf(errors, "Die Kundendatenbank konnte in %s nicht angelegt werden\n", folder.c_str());
    return customers.Dbf1().Active();
}

}

int RunExportCustomersCsv(const QString& dataFolder, const std::string& file, std::FILE* errors)
{
    CustomerTable customers;
    if (!OpenCustomers(customers, dataFolder, errors))
        return 1;
    const CustomerCsvExport::Result result = CustomerCsvExport::WriteFile(customers.Dbf1(), file);
    const std::vector<std::u16string> messages =
        CustomerCsvReport::Export(result, CustomerCsvReport::Where::CommandLine);
    PrintLines(messages, errors);
    return messages.empty() ? 0 : 1;
}

int RunImportCustomersCsv(const QString& dataFolder, const std::string& file, std::FILE* errors)
{
    CustomerTable customers;
    if (!OpenCustomers(customers, dataFolder, errors))
        return 1;
    std::unique_ptr<FileByteSource> source;
    CsvEncoding::Kind encoding = CsvEncoding::Kind::Windows1252;
    try {
        FileByteSource probe(file);
        encoding = CsvEncoding::Detect(probe);
        source = std::make_unique<FileByteSource>(file);
    } catch (const IoError& error) {
        PrintLines({CustomerCsvReport::CannotOpen(error.what(), CustomerCsvReport::Where::CommandLine)}, errors);
        return 1;
    }
    if (!customers.RepairBeforeChange())  // a damaged table is written anew first (reported)
        return 1;
    CustomerCsvImport::Result result;
    try {
        result = CustomerCsvImport::Read(customers.Dbf1(), *source, {}, encoding);
    } catch (const IoError& error) {
        PrintLines({CustomerCsvReport::ReadStopped(error.what())}, errors);
        return 1;
    }
    PrintLines(CustomerCsvReport::Import(result), errors);
    return result.notStored == 0 && result.tooLong == 0 ? 0 : 1;
}

int RunEInvoiceToPdf(const std::string& file, const QString& outputFile, std::FILE* errors)
{
    const ReceivedReadResult read = ReadReceivedInvoiceFile(file);
    if (!read.invoice) {
        std::fprintf(errors, "%s\n", Utf16ToUtf8(read.error).c_str());
        return 1;
    }
    const ReceivedCheck check = CheckReceivedInvoice(*read.invoice);
    try {
        ExportReceivedPdf(*read.invoice, check, QStringToPath(outputFile), CurrentPrinterPage());
    } catch (const IoError& error) {
        std::fprintf(errors, "%s\n", error.what());
        return 1;
    } catch (const std::bad_alloc&) {
        std::fprintf(errors, "Nicht genug Speicher, um die PDF-Datei zu schreiben.\n");
        return 1;
    }
    return 0;
}
