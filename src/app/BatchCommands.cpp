#include "app/BatchCommands.h"

#include "foundation/DataFolder.h"
#include "foundation/IoError.h"
#include "invoices/NumberText.h"
#include "invoices/RechnungList.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "output/PdfExport.h"
#include "output/QtPrinterPage.h"
#include "ui/LocaleFormat.h"
#include "ui/QtText.h"
#include "ui/TDataPathForm.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

// Loads the book of the data folder; false (reported) when the file is damaged or unreadable.
bool LoadBook(TRechnungBook& book, const QString& dataFolder)
{
    book.progpath = book.appdatapath = ToU16(dataFolder);
    const TRechnungBook::OpenResult result = book.OpenRechnungen();
    return result == TRechnungBook::OpenResult::Loaded || result == TRechnungBook::OpenResult::NoFile;
}

double GrossTotal(TRechnungBook& book, uint32_t index)
{
    double total = 0;
    const TRechnungRec& rechnung = book.Rechnung(index);
    for (uint32_t i = 0; i < rechnung.posis->Count(); ++i) {
        const TPositionRec& p = book.Position(index, i);
        total += p.menge * p.preis;
    }
    return total;
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
    const std::string realprogpath = WithTrailingSlash(QCoreApplication::applicationDirPath().toStdString());
    if (!dataDirOption.isEmpty())
        return QString::fromStdString(WithTrailingSlash(dataDirOption.toStdString()));
    return QString::fromStdString(ChooseDataFolder(TDataPathForm::StoredChoice(), realprogpath));
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
        const QString line = QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6 %7")
                                 .arg(QString::number(i + 1), ToQString(Line(std::u16string(TextOf(r.rechnr)))),
                                      ToQString(RechnungColumnText(r, 0, format.shortDate)),
                                      ToQString(Line(std::u16string(TextOf(r.firma)))),
                                      ToQString(Line(std::u16string(TextOf(r.name)))),
                                      ToQString(FormatFixed2(GrossTotal(book, i), format.decimalSeparator)),
                                      ToQString(currency));
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
    const LocaleFormat locale = LocaleFormat::FromSystem();
    TLayoutFormat format;
    format.decimalSeparator = locale.decimalSeparator;
    format.shortDate = locale.shortDate;
    try {
        const PdfExportResult result = ExportPdf(book, position - 1, kind, QFile::encodeName(outputFile).toStdString(),
                                                 CurrentPrinterPage(), format);
        return result == PdfExportResult::Written ? 0 : 1;
    } catch (const IoError& error) {
        std::fprintf(errors, "%s\n", error.what());
        return 1;
    }
}
