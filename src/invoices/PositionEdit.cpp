#include "invoices/PositionEdit.h"

#include "foundation/Messenger.h"
#include "invoices/NumberText.h"
#include "invoices/RechnungEdit.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "messages/MessageCatalog.h"

#include <new>
#include <string_view>

namespace {

bool ValidPosition(const TRechnungBook& book, uint32_t rechnung, uint32_t position)
{
    return rechnung < book.RechnungCount() && position < book.Rechnung(rechnung).posis->Count();
}

// Gives the three text fields of a fresh record its own copies of the texts.
template <class Rec>
void CopyTexts(Rec& to, std::u16string_view einheit, std::u16string_view artnr, std::u16string_view bez)
{
    NewTextBuf(&to.einheit, einheit);
    NewTextBuf(&to.artnr, artnr);
    NewTextBuf(&to.bez, bez);
}

}

std::optional<uint32_t> NeuePosition(TRechnungBook& book, uint32_t rechnung)
{
    if (rechnung >= book.RechnungCount())
        return std::nullopt;
    try {
        book.AppendPosition(rechnung).menge = 1;
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return std::nullopt;
    }
    return book.Rechnung(rechnung).posis->Count() - 1;
}

bool DeletePosition(TRechnungBook& book, uint32_t rechnung, uint32_t position)
{
    if (!ValidPosition(book, rechnung, position))
        return false;
    ReleasePosition(book.Position(rechnung, position));
    book.Rechnung(rechnung).posis->Delete(static_cast<int32_t>(position));
    return true;
}

std::optional<uint32_t> NeuePositionAusArtikel(TRechnungBook& book, uint32_t rechnung, uint32_t artikel,
                                               char16_t separator)
{
    if (rechnung >= book.RechnungCount() || artikel >= book.ArtikelCount())
        return std::nullopt;
    const TArtikelRec& a = book.Artikel(artikel);
    const double mwst = ParseNumber(FormatFixed2(a.mwst, separator), separator).value_or(0);
    const double preis = ParseNumber(FormatFixed2(a.preis, separator), separator).value_or(0);
    try {
        TPositionRec& p = book.AppendPosition(rechnung);
        p.menge = 1;
        p.mwst = mwst;
        p.preis = preis;
        try {
            CopyTexts(p, TextOf(a.einheit), TextOf(a.artnr), TextOf(a.bez));
        } catch (const std::bad_alloc&) {
            DeletePosition(book, rechnung, book.Rechnung(rechnung).posis->Count() - 1);
            throw;
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return std::nullopt;
    }
    return book.Rechnung(rechnung).posis->Count() - 1;
}

std::optional<uint32_t> NeuerArtikel(TRechnungBook& book)
{
    try {
        book.AppendArtikel().menge = 1;
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return std::nullopt;
    }
    return book.ArtikelCount() - 1;
}

bool DeleteArtikel(TRechnungBook& book, uint32_t artikel)
{
    if (artikel >= book.ArtikelCount())
        return false;
    ReleaseArtikel(book.Artikel(artikel));
    book.tpos.Delete(static_cast<int32_t>(artikel));
    return true;
}

std::optional<uint32_t> ArtikelAusPosition(TRechnungBook& book, uint32_t rechnung, uint32_t position)
{
    if (!ValidPosition(book, rechnung, position))
        return std::nullopt;
    const TPositionRec& p = book.Position(rechnung, position);
    try {
        TArtikelRec& a = book.AppendArtikel();
        a.menge = 1;
        a.mwst = p.mwst;
        a.preis = p.preis;
        try {
            CopyTexts(a, TextOf(p.einheit), TextOf(p.artnr), TextOf(p.bez));
        } catch (const std::bad_alloc&) {
            DeleteArtikel(book, book.ArtikelCount() - 1);
            throw;
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return std::nullopt;
    }
    return book.ArtikelCount() - 1;
}

bool AskDeleteArtikel()
{
    return CurrentMessenger().AskQuestion(MessageText(272), MessageText(273)) == Messenger::Answer::Yes;
}
