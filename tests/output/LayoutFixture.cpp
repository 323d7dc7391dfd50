#include "LayoutFixture.h"

#include "invoices/TextBuf.h"
#include "output/TPageLayout.h"

LayoutFixture::LayoutFixture()
{
    TRechnungRec& r = book.AppendRechnung();
    r.datum = 46086.0 + (9 * 60 + 7) / 1440.0;  // 5 March 2026, 09:07
    NewTextBuf(&r.rechnr, u"17");
}

void LayoutFixture::Set(char16_t* TRechnungRec::*field, std::u16string_view text)
{
    SetTextBuf(&(rechnung().*field), text);
}

TPositionRec& LayoutFixture::AddPosition(double menge, double mwst, double preis, std::u16string_view bez,
                                         std::u16string_view artnr, std::u16string_view einheit)
{
    TPositionRec& p = book.AppendPosition(0);
    p.menge = menge;
    p.mwst = mwst;
    p.preis = preis;
    if (!bez.empty())
        NewTextBuf(&p.bez, bez);
    if (!artnr.empty())
        NewTextBuf(&p.artnr, artnr);
    if (!einheit.empty())
        NewTextBuf(&p.einheit, einheit);
    return p;
}

std::unique_ptr<RecordingCanvas> LayoutFixture::Run(int32_t kind, const TOutputTarget& target,
                                                    const HybridPageFacts* facts)
{
    auto canvas = std::make_unique<RecordingCanvas>(target);
    TPageLayout layout(*canvas, book, 0, kind, TLayoutFormat{}, facts);
    layout.Run();
    return canvas;
}

TOutputTarget LayoutFixture::Pdf()
{
    return TOutputTarget::Pdf(kNoPrinterPage);
}

TOutputTarget LayoutFixture::Printer()
{
    return TOutputTarget::Printer(kNoPrinterPage);
}

TOutputTarget LayoutFixture::Preview()
{
    return TOutputTarget::Preview(96, 100, kNoPrinterPage);
}

void LayoutFixture::FillAddress()
{
    Set(&TRechnungRec::firma, u"Muster GmbH");
    Set(&TRechnungRec::vorname, u"Max");
    Set(&TRechnungRec::name, u"Mustermann");
    Set(&TRechnungRec::strasse, u"Hauptstr. 1");
    Set(&TRechnungRec::plz, u"12345");
    Set(&TRechnungRec::ort, u"Berlin");
}
