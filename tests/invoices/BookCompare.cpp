#include "BookCompare.h"

#include "foundation/Utf8.h"
#include "invoices/RechnungEdit.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"

#include <cstring>

namespace {

std::string Text(const char16_t* buffer)
{
    return Utf16ToUtf8(TextOf(buffer));
}

bool SameDouble(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}

std::string BookDifference(const TRechnungBook& a, const TRechnungBook& b)
{
    if (a.RechnungCount() != b.RechnungCount())
        return "invoice count " + std::to_string(a.RechnungCount()) + " vs " + std::to_string(b.RechnungCount());
    for (uint32_t i = 0; i < a.RechnungCount(); ++i) {
        const TRechnungRec& x = a.Rechnung(i);
        const TRechnungRec& y = b.Rechnung(i);
        const std::string where = "invoice " + std::to_string(i) + ": ";
        for (size_t f = 0; f < kRechnungTexte.size(); ++f) {
            if (TextOf(x.*kRechnungTexte[f]) != TextOf(y.*kRechnungTexte[f]))
                return where + "text " + std::to_string(f) + " '" + Text(x.*kRechnungTexte[f]) + "' vs '" +
                       Text(y.*kRechnungTexte[f]) + "'";
        }
        if (!SameDouble(x.datum, y.datum) || !SameDouble(x.bezahlt, y.bezahlt) || !SameDouble(x.frei1, y.frei1) ||
            !SameDouble(x.frei2, y.frei2))
            return where + "dates";
        for (size_t f = 0; f < kERechnungTexte.size(); ++f) {
            if (TextOf(x.*kERechnungTexte[f]) != TextOf(y.*kERechnungTexte[f]))
                return where + "e-invoice text " + std::to_string(f) + " '" + Text(x.*kERechnungTexte[f]) + "' vs '" +
                       Text(y.*kERechnungTexte[f]) + "'";
        }
        if (!SameDouble(x.leistungvon, y.leistungvon) || !SameDouble(x.leistungbis, y.leistungbis) ||
            !SameDouble(x.faellig, y.faellig) || x.nullkategorie != y.nullkategorie)
            return where + "e-invoice dates or category";
        if (x.posis->Count() != y.posis->Count())
            return where + "position count";
        for (uint32_t j = 0; j < x.posis->Count(); ++j) {
            const auto& p = *static_cast<const TPositionRec*>(x.posis->At(j));
            const auto& q = *static_cast<const TPositionRec*>(y.posis->At(j));
            if (TextOf(p.einheit) != TextOf(q.einheit) || TextOf(p.artnr) != TextOf(q.artnr) ||
                TextOf(p.bez) != TextOf(q.bez) || !SameDouble(p.menge, q.menge) || !SameDouble(p.mwst, q.mwst) ||
                !SameDouble(p.preis, q.preis))
                return where + "position " + std::to_string(j);
        }
    }
    if (a.ArtikelCount() != b.ArtikelCount())
        return "article count";
    for (uint32_t i = 0; i < a.ArtikelCount(); ++i) {
        const TArtikelRec& p = a.Artikel(i);
        const TArtikelRec& q = b.Artikel(i);
        if (TextOf(p.einheit) != TextOf(q.einheit) || TextOf(p.artnr) != TextOf(q.artnr) ||
            TextOf(p.bez) != TextOf(q.bez) || !SameDouble(p.menge, q.menge) || !SameDouble(p.mwst, q.mwst) ||
            !SameDouble(p.preis, q.preis))
            return "article " + std::to_string(i);
    }
    if (a.check != b.check)
        return "reserved flags";
    if (a.eRechnungFlagsRest != b.eRechnungFlagsRest || a.eRechnungRest != b.eRechnungRest)
        return "e-invoice data of a later version";
    if (!(a.settings == b.settings))
        return "settings";
    return {};
}

namespace {

// The company texts, the page geometry, the first seven fonts and the logo (sections 3 to 5).
void CopyFirstSections(int k, const TRechnungSettings& f, TRechnungSettings& s)
{
    switch (k) {
    case 3:
        s.FirmaED2 = f.FirmaED2;
        s.StrasseEd2 = f.StrasseEd2;
        s.PLZED2 = f.PLZED2;
        s.OrtED2 = f.OrtED2;
        s.TelEd2 = f.TelEd2;
        s.FaxEd2 = f.FaxEd2;
        s.SteuerED2 = f.SteuerED2;
        s.KopfEd = f.KopfEd;
        s.FussEd = f.FussEd;
        s.RandXED = f.RandXED;
        s.RandYEd = f.RandYEd;
        s.AnschriftYED = f.AnschriftYED;
        s.AdrXEd = f.AdrXEd;
        s.LineSTEd = f.LineSTEd;
        break;
    case 4:
        s.eMailED2 = f.eMailED2;
        s.HomepageEd2 = f.HomepageEd2;
        s.FootCentCheck = f.FootCentCheck;
        s.RegNrMode = f.RegNrMode;
        s.FontDialog1 = f.FontDialog1;
        s.FontDialog2 = f.FontDialog2;
        s.FontDialog3 = f.FontDialog3;
        s.FontDialog4 = f.FontDialog4;
        s.FontDialog5 = f.FontDialog5;
        s.FontDialog6 = f.FontDialog6;
        s.FontDialog7 = f.FontDialog7;
        break;
    case 5:
        s.FilenameEdit1 = f.FilenameEdit1;
        s.LogoXEd = f.LogoXEd;
        s.LogoYEd = f.LogoYEd;
        s.BreitEd = f.BreitEd;
        break;
    default:
        break;
    }
}

// The sections 6 to 22, each holding one or a few values.
void CopyLaterSections(int k, const TRechnungSettings& f, TRechnungSettings& s)
{
    switch (k) {
    case 6:
        s.ARegNrEd = f.ARegNrEd;
        break;
    case 7:
        s.insertspaceline = f.insertspaceline;
        break;
    case 8:
        s.underlinekopfusscheck = f.underlinekopfusscheck;
        break;
    case 9:
        s.WaehrEd = f.WaehrEd;
        break;
    case 10:
        s.RechNrVorherEd = f.RechNrVorherEd;
        s.DontShowEinheitCheck = f.DontShowEinheitCheck;
        s.FussEd2 = f.FussEd2;
        break;
    case 11:
        s.FussEd3 = f.FussEd3;
        break;
    case 12:
        s.DonotShowAdressCheck = f.DonotShowAdressCheck;
        break;
    case 13:
        s.FontDialog8 = f.FontDialog8;
        break;
    case 14:
        s.LieferNoWertCheck = f.LieferNoWertCheck;
        break;
    case 15:
        s.BindestrichCheck = f.BindestrichCheck;
        break;
    case 16:
        s.FirmaRechtsCheck = f.FirmaRechtsCheck;
        break;
    case 17:
        s.ZusatzEd2 = f.ZusatzEd2;
        break;
    case 18:
        s.NoMwstCheck = f.NoMwstCheck;
        break;
    case 21:
        s.ListView4 = f.ListView4;
        break;
    case 22:
        s.FontDialog9 = f.FontDialog9;
        break;
    default:  // 19 holds nothing that stays, 20 the reserved flags of the book
        break;
    }
}

}  // namespace

TRechnungSettings SettingsAfterSection(int last, const TRechnungSettings& full)
{
    TRechnungSettings s;
    for (int k = 3; k <= last; ++k) {
        if (k <= 5)
            CopyFirstSections(k, full, s);
        else
            CopyLaterSections(k, full, s);
    }
    return s;
}
