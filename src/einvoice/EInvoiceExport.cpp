#include "einvoice/EInvoiceExport.h"

#include "einvoice/CiiXmlWriter.h"
#include "einvoice/EInvoiceBuilder.h"
#include "foundation/AtomicFileSink.h"
#include "invoices/TRechnungBook.h"
#include "output/PdfExport.h"

EInvoiceProfile DefaultEInvoiceProfile(const TRechnungSettings& settings)
{
    return settings.XRechnungCheck ? EInvoiceProfile::XRechnung : EInvoiceProfile::EN16931;
}

std::optional<EInvoiceDocument> CheckedEInvoice(const TRechnungBook& book, int32_t index, int32_t kind,
                                                EInvoiceProfile profile, EInvoiceExportResult& result)
{
    if (index < 0 || uint32_t(index) >= book.RechnungCount()) {
        result.status = EInvoiceExportResult::Status::NoInvoice;
        return std::nullopt;
    }
    EInvoiceBuild build = BuildEInvoice(book, uint32_t(index), kind, profile);
    if (build.refused || !build.gaps.empty()) {
        result.status = build.refused ? EInvoiceExportResult::Status::Refused : EInvoiceExportResult::Status::Gaps;
        result.gaps = std::move(build.gaps);
        return std::nullopt;
    }
    return std::move(build.document);
}

EInvoiceExportResult ExportEInvoice(const TRechnungBook& book, int32_t index, int32_t kind, EInvoiceProfile profile,
                                    const std::string& path)
{
    EInvoiceExportResult result;
    const std::optional<EInvoiceDocument> document = CheckedEInvoice(book, index, kind, profile, result);
    if (!document)
        return result;
    AtomicFileSink sink(path);
    WriteCiiXml(*document, sink);
    sink.Commit();
    return result;
}

std::optional<std::u16string> ProposedEInvoiceName(const TRechnungSettings& settings, const TRechnungRec& rechnung)
{
    std::optional<std::u16string> name = ProposedPdfName(settings, rechnung);
    if (name)
        name->replace(name->size() - 4, 4, u".xml");
    return name;
}
