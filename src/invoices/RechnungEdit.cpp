#include "invoices/RechnungEdit.h"

#include "foundation/Messenger.h"
#include "invoices/Numbering.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "messages/MessageCatalog.h"

#include <cstring>
#include <new>
#include <utility>

namespace {

using TextPair = std::pair<TRechnungText, std::u16string TRechnungTexte::*>;

// Every text of an invoice but its number, with the matching field of the texts.
constexpr TextPair kTextFields[] = {
    {&TRechnungRec::anrede, &TRechnungTexte::anrede},
    {&TRechnungRec::firma, &TRechnungTexte::firma},
    {&TRechnungRec::name, &TRechnungTexte::name},
    {&TRechnungRec::vorname, &TRechnungTexte::vorname},
    {&TRechnungRec::zusatz, &TRechnungTexte::zusatz},
    {&TRechnungRec::strasse, &TRechnungTexte::strasse},
    {&TRechnungRec::land, &TRechnungTexte::land},
    {&TRechnungRec::plz, &TRechnungTexte::plz},
    {&TRechnungRec::ort, &TRechnungTexte::ort},
    {&TRechnungRec::tel, &TRechnungTexte::tel},
    {&TRechnungRec::fax, &TRechnungTexte::fax},
    {&TRechnungRec::email, &TRechnungTexte::email},
    {&TRechnungRec::rechtext, &TRechnungTexte::rechtext},
    {&TRechnungRec::ihrebestellung, &TRechnungTexte::ihrebestellung},
    {&TRechnungRec::bestelldatum, &TRechnungTexte::bestelldatum},
    {&TRechnungRec::lanrede, &TRechnungTexte::lanrede},
    {&TRechnungRec::lfirma, &TRechnungTexte::lfirma},
    {&TRechnungRec::lname, &TRechnungTexte::lname},
    {&TRechnungRec::lvorname, &TRechnungTexte::lvorname},
    {&TRechnungRec::lzusatz, &TRechnungTexte::lzusatz},
    {&TRechnungRec::lstrasse, &TRechnungTexte::lstrasse},
    {&TRechnungRec::lland, &TRechnungTexte::lland},
    {&TRechnungRec::lplz, &TRechnungTexte::lplz},
    {&TRechnungRec::lort, &TRechnungTexte::lort},
};

using ERechnungPair = std::pair<TRechnungText, std::u16string TERechnungKopie::*>;

// The electronic invoice texts a copy takes over.
constexpr ERechnungPair kERechnungFields[] = {
    {&TRechnungRec::kaeuferref, &TERechnungKopie::kaeuferref},
    {&TRechnungRec::kaeuferustid, &TERechnungKopie::kaeuferustid},
    {&TRechnungRec::kaeuferadresse, &TERechnungKopie::kaeuferadresse},
    {&TRechnungRec::kaeuferland, &TERechnungKopie::kaeuferland},
    {&TRechnungRec::befreiung, &TERechnungKopie::befreiung},
};

// Appends an invoice with the texts, numbered and dated; with copyArtikels the articles
// become its positions. Undoes everything on a refusal of memory.
std::optional<uint32_t> Append(TRechnungBook& book, const TRechnungTexte& texte, bool copyArtikels)
{
    const int64_t counter = book.settings.ARegNrEd;
    uint32_t index = 0;
    try {
        TRechnungRec& r = book.AppendRechnung();
        index = book.RechnungCount() - 1;
        try {
            for (const auto& [field, text] : kTextFields)
                NewTextBuf(&(r.*field), texte.*text);
            for (const auto& [field, text] : kERechnungFields) {
                if (!(texte.erechnung.*text).empty())
                    NewTextBuf(&(r.*field), texte.erechnung.*text);
            }
            r.nullkategorie = texte.erechnung.nullkategorie;
            r.datum = book.now();
            r.bezahlt = 0;
            NewTextBuf(&r.rechnr, TakeRechNr(book.settings));
            if (copyArtikels) {
                for (uint32_t i = 0; i < book.ArtikelCount(); ++i) {
                    const TArtikelRec& a = book.Artikel(i);
                    TPositionRec& p = book.AppendPosition(index);
                    static_assert(sizeof p == sizeof a);
                    std::memcpy(&p, &a, sizeof p);
                    p.einheit = p.artnr = p.bez = nullptr;
                    if (a.einheit)
                        NewTextBuf(&p.einheit, TextOf(a.einheit));
                    if (a.artnr)
                        NewTextBuf(&p.artnr, TextOf(a.artnr));
                    if (a.bez)
                        NewTextBuf(&p.bez, TextOf(a.bez));
                }
            }
        } catch (const std::bad_alloc&) {
            DeleteRechnung(book, index);
            throw;
        }
    } catch (const std::bad_alloc&) {
        book.settings.ARegNrEd = counter;
        ReportOutOfMemory();
        return std::nullopt;
    }
    return index;
}

}

TRechnungTexte TexteVon(const TRechnungRec& rechnung)
{
    TRechnungTexte texte;
    for (const auto& [field, text] : kTextFields)
        texte.*text = TextOf(rechnung.*field);
    for (const auto& [field, text] : kERechnungFields)
        texte.erechnung.*text = TextOf(rechnung.*field);
    texte.erechnung.nullkategorie = rechnung.nullkategorie;
    return texte;
}

std::optional<uint32_t> NeueRechnung(TRechnungBook& book)
{
    return Append(book, TRechnungTexte(), false);
}

std::optional<uint32_t> NeueRechnungAus(TRechnungBook& book, const TRechnungTexte& texte, bool copyArtikels)
{
    return Append(book, texte, copyArtikels);
}

bool DeleteRechnung(TRechnungBook& book, uint32_t index)
{
    if (index >= book.RechnungCount())
        return false;
    const uint32_t count = book.RechnungCount();
    ReleaseRechnung(book.Rechnung(index));
    book.aposi = nullptr;  // it may have pointed into the positions just released
    book.rechs.Delete(static_cast<int32_t>(index));
    if (book.RechnungCount() == count) {
        // The array could not shrink (it has told the user): the record stays, emptied,
        // and gets a positions array again so that it is a valid invoice.
        book.Rechnung(index).posis =
            new TDynaArray(sizeof(TPositionRec), &book.aposi, TRechnungBook::kPositionsGrowthStep);
        return false;
    }
    return true;
}

bool AskDeleteRechnung()
{
    return CurrentMessenger().AskQuestion(MessageText(131), MessageText(132)) == Messenger::Answer::Yes;
}
