#include "invoices/TRechnungRec.h"

#include "foundation/TDynaArray.h"
#include "invoices/TPositionRec.h"
#include "invoices/TextBuf.h"

const std::array<TRechnungText, 25> kRechnungTexte = {
    &TRechnungRec::anrede,       &TRechnungRec::firma,    &TRechnungRec::name,
    &TRechnungRec::vorname,      &TRechnungRec::zusatz,   &TRechnungRec::strasse,
    &TRechnungRec::land,         &TRechnungRec::plz,      &TRechnungRec::ort,
    &TRechnungRec::tel,          &TRechnungRec::fax,      &TRechnungRec::email,
    &TRechnungRec::rechnr,       &TRechnungRec::rechtext, &TRechnungRec::ihrebestellung,
    &TRechnungRec::bestelldatum, &TRechnungRec::lanrede,  &TRechnungRec::lfirma,
    &TRechnungRec::lname,        &TRechnungRec::lvorname, &TRechnungRec::lzusatz,
    &TRechnungRec::lstrasse,     &TRechnungRec::lland,    &TRechnungRec::lplz,
    &TRechnungRec::lort,
};

const std::array<TRechnungText, 5> kERechnungTexte = {
    &TRechnungRec::kaeuferref,  &TRechnungRec::kaeuferustid, &TRechnungRec::kaeuferadresse,
    &TRechnungRec::kaeuferland, &TRechnungRec::befreiung,
};

const std::array<TRechnungText, 9> kRechnungAdresse = {
    &TRechnungRec::anrede,  &TRechnungRec::firma, &TRechnungRec::name, &TRechnungRec::vorname, &TRechnungRec::zusatz,
    &TRechnungRec::strasse, &TRechnungRec::land,  &TRechnungRec::plz,  &TRechnungRec::ort,
};

const std::array<TRechnungText, 9> kLieferAdresse = {
    &TRechnungRec::lanrede,  &TRechnungRec::lfirma,  &TRechnungRec::lname,
    &TRechnungRec::lvorname, &TRechnungRec::lzusatz, &TRechnungRec::lstrasse,
    &TRechnungRec::lland,    &TRechnungRec::lplz,    &TRechnungRec::lort,
};

void ReleaseRechnung(TRechnungRec& rechnung)
{
    for (TRechnungText field : kRechnungTexte)
        ReleaseTextBuf(&(rechnung.*field));
    for (TRechnungText field : kERechnungTexte)
        ReleaseTextBuf(&(rechnung.*field));
    if (rechnung.posis) {
        TDynaArray& posis = *rechnung.posis;
        for (uint32_t i = 0; i < posis.Count(); ++i)
            ReleasePosition(*static_cast<TPositionRec*>(posis.At(i)));
        delete rechnung.posis;
        rechnung.posis = nullptr;
    }
}
