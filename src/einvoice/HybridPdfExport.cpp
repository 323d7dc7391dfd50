#include "einvoice/HybridPdfExport.h"

#include "einvoice/CiiXmlWriter.h"
#include "einvoice/HybridPageFactsBuilder.h"
#include "foundation/IoError.h"
#include "invoices/DateTime.h"
#include "invoices/TRechnungBook.h"
#include "messages/MessageCatalog.h"
#include "output/DocumentKind.h"
#include "output/TPageLayout.h"
#include "output/TPdfOutputCanvas.h"
#include "pdf/TPDFCanvas.h"

#include <ctime>
#include <optional>

HybridPdfTime HybridPdfTime::Now()
{
    HybridPdfTime now;
    const std::time_t seconds = std::time(nullptr);
    now.seconds = int64_t(seconds);
    std::tm local{};
    if (localtime_r(&seconds, &local))
        now.utcOffsetMinutes = int32_t(local.tm_gmtoff / 60);
    return now;
}

const char* HybridXmlFileName(EInvoiceProfile profile)
{
    return profile == EInvoiceProfile::XRechnung ? "xrechnung.xml" : "factur-x.xml";
}

namespace {

// What the file says about itself: title, author, subject, and the XML as its attachment.
PdfA3Settings SettingsFor(const EInvoiceDocument& document, int32_t kind, const TLayoutFormat& format,
                          const HybridPdfTime& time, std::string xml)
{
    const bool xrechnung = document.profile == EInvoiceProfile::XRechnung;
    PdfA3Settings settings;
    settings.title = MessageText(DocumentKind::Of(kind).titleMessage) + u" " + document.number;
    settings.author = document.sellerName;
    settings.subject =
        settings.title + u" vom " + ShortDateText(document.issueDate, format.shortDate) + u" an " + document.buyerName;
    settings.creator = u"Rekolon";
    settings.time = time.seconds;
    settings.utcOffsetMinutes = time.utcOffsetMinutes;
    settings.fxConformanceLevel = xrechnung ? "XRECHNUNG" : "EN 16931";
    PdfA3Attachment attachment;
    attachment.fileName = HybridXmlFileName(document.profile);
    attachment.description = xrechnung ? u"Rechnungsdaten als XRechnung (UN/CEFACT CII)"
                                       : u"Rechnungsdaten als Factur-X/ZUGFeRD (EN 16931, UN/CEFACT CII)";
    attachment.data = std::move(xml);
    settings.attachments.push_back(std::move(attachment));
    return settings;
}

}

EInvoiceExportResult ExportHybridPdf(TRechnungBook& book, int32_t index, int32_t kind, EInvoiceProfile profile,
                                     const std::string& path, const TPrinterPage& printer, const TLayoutFormat& format,
                                     const HybridPdfTime& time)
{
    EInvoiceExportResult result;
    const std::optional<EInvoiceDocument> document = CheckedEInvoice(book, index, kind, profile, result);
    if (!document)
        return result;
    const HybridPageFacts facts = HybridPageFactsOf(*document, format);

    TPDFCanvas pdf;
    pdf.SetPdfA3(SettingsFor(*document, kind, format, time, WriteCiiXml(*document)));
    if (!pdf.BeginDoc(path))
        throw IoError::FromErrno(path);
    try {
        TPdfOutputCanvas canvas(pdf, printer);
        pdf.PageWidth = canvas.Target().pw;
        pdf.PageHeight = canvas.Target().ph;
        TPageLayout layout(canvas, book, uint32_t(index), kind, format, &facts);
        layout.Run();
        result.gaps = pdf.EmbeddingProblems();
        if (!result.gaps.empty()) {
            pdf.AbandonDoc();
            result.status = EInvoiceExportResult::Status::FontsRefused;
            return result;
        }
        pdf.EndDoc();
    } catch (...) {
        pdf.AbandonDoc();
        throw;
    }
    return result;
}
