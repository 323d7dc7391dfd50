#pragma once

#include "output/DocumentKind.h"
#include "output/TLayoutFormat.h"

#include <cstdint>
#include <string>
#include <string_view>

struct HybridPageFacts;
class TInvoiceLogo;
class TOutputCanvas;
class TRechnungBook;
struct TFontSetting;
struct TRechnungRec;
struct TRechnungSettings;

// Lays one invoice out on an output target: logo, header line, sender line, addresses,
// company block, place and date, title with number, order references, delivery address,
// positions table with totals (TPositionsTable), closing text and footer, with page breaks
// on the targets that have them. Everything is computed anew from the invoice and the
// settings at the start of the run; nothing of it survives the run.
//
// The page of a hybrid e-invoice is the same page with the facts of its XML added: the service
// date or period and the buyer's VAT number under the title, the seller's VAT number in the
// company block, the totals by VAT rate with the rounding amount, and the due date and the
// reason for lines without VAT under the totals. Without facts the page is the ordinary one.
//
// The caller has opened the target (begun the document) and closes it afterwards.
class TPageLayout {
public:
    // The invoice is book.Rechnung(rechnung), which must exist; kind is the document kind
    // (0 "Rechnung" … 7 "Bestellung", anything else counts as none selected).
    // facts, when given, must outlive the layout.
    TPageLayout(TOutputCanvas& canvas, TRechnungBook& book, uint32_t rechnung, int32_t kind,
                const TLayoutFormat& format, const HybridPageFacts* facts = nullptr);

    // One run: loads the logo, draws every page, releases the logo.
    void Run();

    // Shared with the positions table.
    TOutputCanvas& canvas;
    TRechnungBook& book;
    const TRechnungSettings& settings;
    const TRechnungRec& rechnung;
    const int32_t kind;
    const DocumentKind kindRow;
    const TLayoutFormat format;
    const HybridPageFacts* const facts;  // the page of a hybrid e-invoice; nullptr: the ordinary page

    // Device lengths of the run.
    int32_t rx = 0;     // left and right margin
    int32_t ry = 0;     // top and bottom margin
    int32_t ay = 0;     // top of the sender line and of the company block
    int32_t ax = 0;     // left edge of the company block and of the place-and-date line
    int32_t lw = 0;     // width of every rule
    int32_t pw = 0;     // page width
    int32_t ph = 0;     // page height
    int32_t hs = 0;     // height of the sender line; 0 when it is not drawn
    int32_t limit = 0;  // where the body ends on targets with page breaks
    int32_t page = 1;   // number of the page being drawn

    // The height of a space in the current font.
    int32_t LineHeight();
    // Whether the body, having reached y, goes on on a new page: on targets with page breaks
    // when y is past the limit, unless the body's top on a new page would itself be past it
    // (margins larger than the page), where breaking would only give empty pages.
    bool BreakWanted(int64_t y) const;
    // Ends the page (footer), begins the next one (header), selects resumeFont again and
    // returns the y at which the body continues.
    int32_t PageBreak(const TFontSetting& resumeFont);
    // A rule in the pen of the run from (x1, y) to (x2, y).
    void Rule(int32_t x1, int32_t x2, int32_t y);
    // Text right-aligned at r.
    void TextRight(int32_t r, int32_t y, std::u16string_view text);

private:
    void Header();
    void Footer(bool withPageNumber);
    int32_t SenderLine();
    // The seven lines of an address from x = rx at y; returns the y below it.
    int32_t Address(int32_t y, bool delivery);
    int32_t CompanyBlock();
    // The lines under the totals of a hybrid e-invoice; returns the y below them.
    int32_t BelowTotals(int32_t y);
    // The closing text, and beside it at the right margin the GiroCode of an invoice that
    // asks for payment (see GiroCodeBeside).
    void ClosingText(int32_t y);
    // Draws the GiroCode with its caption at the right margin with its top at y, first
    // breaking the page when code and caption do not fit above the limit. Returns the width
    // the closing text leaves free for it (0 when there is no code) and moves y to the new
    // page's top after a break.
    int32_t GiroCodeBeside(int32_t& y);
    // A text from x = rx across the width between the margins less `reserve` at the right,
    // wrapped as the target wraps the closing text, breaking the page where the target does.
    // With lastLineAdvances it returns the y below the text (the closing text, the last thing
    // drawn, needs none).
    int32_t TextBlock(int32_t y, std::u16string_view text, bool lastLineAdvances, int32_t reserve = 0);
    bool DeliveryEmpty() const;

    const TInvoiceLogo* logo_ = nullptr;
    std::u16string title_;  // the document's title with its number, as drawn
};
