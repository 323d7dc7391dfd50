#include "output/PdfExport.h"

#include "foundation/ShowInfo.h"
#include "invoices/Numbering.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "messages/OutputMessages.h"
#include "output/TPageLayout.h"
#include "output/TPdfOutputCanvas.h"
#include "pdf/TPDFCanvas.h"

#include <algorithm>

PdfExportResult ExportPdf(TRechnungBook& book, int32_t rechnung, int32_t kind, const std::string& fileName,
                          const TPrinterPage& printer, const TLayoutFormat& format)
{
    if (rechnung < 0 || uint32_t(rechnung) >= book.RechnungCount())
        return PdfExportResult::NoInvoice;
    TPDFCanvas pdf;
    if (!pdf.BeginDoc(fileName)) {
        ShowInfo(std::u16string(OutputMessages::kPdfNotCreated));
        return PdfExportResult::NotCreated;
    }
    TPdfOutputCanvas canvas(pdf, printer);
    pdf.PageWidth = canvas.Target().pw;
    pdf.PageHeight = canvas.Target().ph;
    TPageLayout layout(canvas, book, uint32_t(rechnung), kind, format);
    layout.Run();
    pdf.EndDoc();
    return PdfExportResult::Written;
}

std::optional<std::u16string> ProposedPdfName(const TRechnungSettings& settings, const TRechnungRec& rechnung)
{
    std::u16string name;
    switch (settings.RegNrMode) {
    case TRegNrMode::NoRegNr:
        return std::nullopt;
    case TRegNrMode::rechnrdatecheck:
        name = DateNumber(rechnung.datum);
        break;
    case TRegNrMode::CountRegNr:
        name = std::u16string(TextOf(rechnung.rechnr));
        break;
    }
    std::replace(name.begin(), name.end(), u'/', u'-');
    return name + u".pdf";
}
