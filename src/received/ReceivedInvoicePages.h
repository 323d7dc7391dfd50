#pragma once

#include "received/ReceivedInvoice.h"
#include "received/ReceivedInvoiceCheck.h"

class TOutputCanvas;

// The readable pages of a received invoice on one output target (screen, printer, PDF): laid
// out by measuring on a canvas of that target, then drawn page by page on canvases of the same
// target. The invoice and the check must outlive the pages.
class ReceivedInvoicePages {
public:
    ReceivedInvoicePages(const ReceivedInvoice& invoice, const ReceivedCheck& check, TOutputCanvas& measure);
    ~ReceivedInvoicePages();
    ReceivedInvoicePages(const ReceivedInvoicePages&) = delete;
    ReceivedInvoicePages& operator=(const ReceivedInvoicePages&) = delete;

    int PageCount() const;
    // Draws page `page` (0-based) onto the canvas; nothing for a page that does not exist.
    void DrawPage(TOutputCanvas& canvas, int page) const;

private:
    struct Layout;
    Layout* layout_;
};
