#include "received/ReceivedPdfExport.h"

#include "foundation/IoError.h"
#include "output/TPdfOutputCanvas.h"
#include "pdf/TPDFCanvas.h"
#include "received/ReceivedInvoicePages.h"

#include <cerrno>

void ExportReceivedPdf(const ReceivedInvoice& invoice, const ReceivedCheck& check, const std::string& fileName,
                       const TPrinterPage& paper)
{
    TPDFCanvas pdf;
    errno = 0;
    if (!pdf.BeginDoc(fileName)) {
        if (errno != 0)
            throw IoError::FromErrno(fileName);
        throw IoError(fileName, "Die PDF-Datei konnte nicht angelegt werden");
    }
    // Any error on the way ends the document without a file (the writer's destructor would
    // otherwise finish it).
    try {
        TPdfOutputCanvas canvas(pdf, paper);
        pdf.PageWidth = canvas.Target().pw;
        pdf.PageHeight = canvas.Target().ph;
        const ReceivedInvoicePages pages(invoice, check, canvas);
        for (int page = 0; page < pages.PageCount(); ++page) {
            if (page > 0)
                canvas.NewPage();
            pages.DrawPage(canvas, page);
        }
        pdf.EndDoc();
    } catch (...) {
        pdf.AbandonDoc();
        throw;
    }
}
