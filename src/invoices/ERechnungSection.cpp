#include "invoices/ERechnungSection.h"

#include "foundation/IoError.h"
#include "foundation/MemoryByteSink.h"
#include "foundation/MemoryByteSource.h"
#include "invoices/SaveDatInput.h"
#include "invoices/SaveDatOutput.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "invoices/UnitCodes.h"

#include <array>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr char kTag[3] = {'E', 'R', '1'};

constexpr uint8_t kKleinunternehmerBit = 1;
constexpr uint8_t kXRechnungBit = 2;
constexpr uint8_t kGiroCodeBit = 4;
constexpr uint8_t kKnownBits = kKleinunternehmerBit | kXRechnungBit | kGiroCodeBit;

// Fewest bytes of a unit row and of an invoice's data.
constexpr uint32_t kMinUnitBytes = 2 * 4;
constexpr uint32_t kMinInvoiceBytes = 3 * 8 + 4 * 4 + 1 + 4;

using SettingText = std::u16string TRechnungSettings::*;
constexpr std::array<SettingText, 11> kSettingTexts = {
    &TRechnungSettings::UStIdEd,       &TRechnungSettings::LandCodeEd,          &TRechnungSettings::IbanEd,
    &TRechnungSettings::BicEd,         &TRechnungSettings::KontoinhaberEd,      &TRechnungSettings::BankEd,
    &TRechnungSettings::EAdresseEd,    &TRechnungSettings::KontaktNameEd,       &TRechnungSettings::KontaktTelEd,
    &TRechnungSettings::KontaktMailEd, &TRechnungSettings::ZahlungsbedingungEd,
};

constexpr std::array<TRechnungText, 4> kBuyerTexts = {
    &TRechnungRec::kaeuferref,
    &TRechnungRec::kaeuferustid,
    &TRechnungRec::kaeuferadresse,
    &TRechnungRec::kaeuferland,
};

bool ZeroBits(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits == 0;
}

bool InvoiceIsDefault(const TRechnungRec& r)
{
    if (!ZeroBits(r.leistungvon) || !ZeroBits(r.leistungbis) || !ZeroBits(r.faellig) || r.nullkategorie != 0)
        return false;
    for (TRechnungText field : kERechnungTexte) {
        if (!TextOf(r.*field).empty())
            return false;
    }
    return true;
}

uint8_t Flags(const TRechnungBook& book)
{
    const TRechnungSettings& s = book.settings;
    return static_cast<uint8_t>((book.eRechnungFlagsRest & ~kKnownBits) |
                                (s.KleinunternehmerCheck ? kKleinunternehmerBit : 0) |
                                (s.XRechnungCheck ? kXRechnungBit : 0) | (s.GiroCodeCheck ? kGiroCodeBit : 0));
}

// A text buffer for a text read from the file; null for the empty text.
char16_t* Buffer(const std::u16string& text)
{
    char16_t* buffer = nullptr;
    if (!text.empty())
        NewTextBuf(&buffer, text);
    return buffer;
}

void Body(const TRechnungBook& book, SaveDatOutput& out)
{
    const TRechnungSettings& s = book.settings;
    for (SettingText text : kSettingTexts)
        out.Str16(s.*text);
    out.I32(s.ZahlungszielEd);
    out.U8(Flags(book));
    out.I32(static_cast<int32_t>(s.EinheitenGrid.size()));
    for (const TEinheitCode& row : s.EinheitenGrid) {
        out.Str16(row.einheit);
        out.Str16(row.code);
    }
    out.I32(static_cast<int32_t>(book.RechnungCount()));
    for (uint32_t i = 0; i < book.RechnungCount(); ++i) {
        const TRechnungRec& r = book.Rechnung(i);
        out.F64(r.leistungvon);
        out.F64(r.leistungbis);
        out.F64(r.faellig);
        for (TRechnungText field : kBuyerTexts)
            out.Str16(TextOf(r.*field));
        out.U8(r.nullkategorie);
        out.Str16(TextOf(r.befreiung));
    }
    out.Bytes(book.eRechnungRest.data(), book.eRechnungRest.size());
}

void ReadBody(TRechnungBook& book, SaveDatInput& in)
{
    TRechnungSettings& s = book.settings;
    for (SettingText text : kSettingTexts)
        s.*text = in.Str16();
    s.ZahlungszielEd = in.I32();
    const uint8_t flags = in.U8();
    s.KleinunternehmerCheck = (flags & kKleinunternehmerBit) != 0;
    s.XRechnungCheck = (flags & kXRechnungBit) != 0;
    s.GiroCodeCheck = (flags & kGiroCodeBit) != 0;
    book.eRechnungFlagsRest = static_cast<uint8_t>(flags & ~kKnownBits);
    const uint32_t m = in.Count(kMinUnitBytes);
    std::vector<TEinheitCode> units;
    units.reserve(m);
    for (uint32_t k = 0; k < m; ++k) {
        TEinheitCode row;
        row.einheit = in.Str16();
        row.code = in.Str16();
        units.push_back(std::move(row));
    }
    s.EinheitenGrid = std::move(units);
    if (in.Count(kMinInvoiceBytes) != book.RechnungCount())
        in.FailDamaged();
    for (uint32_t i = 0; i < book.RechnungCount(); ++i) {
        TRechnungRec& r = book.Rechnung(i);
        r.leistungvon = in.F64();
        r.leistungbis = in.F64();
        r.faellig = in.F64();
        for (TRechnungText field : kBuyerTexts)
            ReplaceTextBuf(&(r.*field), Buffer(in.Str16()));
        r.nullkategorie = in.U8();
        ReplaceTextBuf(&r.befreiung, Buffer(in.Str16()));
    }
    // A later version's items: kept as they are.
    std::string rest(static_cast<size_t>(in.Remaining()), '\0');
    in.Bytes(rest.data(), rest.size());
    book.eRechnungRest = std::move(rest);
}

}

bool ERechnungSection::IsDefault(const TRechnungBook& book)
{
    const TRechnungSettings& s = book.settings;
    for (SettingText text : kSettingTexts) {
        if (!(s.*text).empty())
            return false;
    }
    if (s.ZahlungszielEd != 14 || Flags(book) != 0 || !book.eRechnungRest.empty() ||
        s.EinheitenGrid != DefaultUnitMap())
        return false;
    for (uint32_t i = 0; i < book.RechnungCount(); ++i) {
        if (!InvoiceIsDefault(book.Rechnung(i)))
            return false;
    }
    return true;
}

void ERechnungSection::Write(const TRechnungBook& book, SaveDatOutput& out)
{
    if (IsDefault(book))
        return;
    MemoryByteSink body;
    SaveDatOutput bodyOut(body);
    Body(book, bodyOut);
    bodyOut.Flush();
    if (body.Bytes().size() > size_t(std::numeric_limits<int32_t>::max()))
        throw IoError(out.SinkName(), "E-Rechnungsdaten zu groß für einen Abschnitt");
    out.Bytes(kTag, sizeof kTag);
    out.I32(static_cast<int32_t>(body.Bytes().size()));
    out.Bytes(body.Bytes().data(), body.Bytes().size());
}

void ERechnungSection::Read(TRechnungBook& book, SaveDatInput& in)
{
    const uint64_t surplus = in.Remaining();
    char tag[sizeof kTag] = {};
    if (surplus < sizeof kTag + 4)
        in.FailDataAfterEnd(surplus);
    in.Bytes(tag, sizeof tag);
    if (std::memcmp(tag, kTag, sizeof kTag) != 0)
        in.FailDataAfterEnd(surplus);
    const int32_t length = in.I32();
    if (length < 0)
        in.FailDamaged();
    if (uint64_t(length) > in.Remaining())
        in.FailPastEnd();
    std::string bytes(static_cast<size_t>(length), '\0');
    in.Bytes(bytes.data(), bytes.size());
    // The items are read from the section's own bytes, so that none can reach past them.
    MemoryByteSource source(std::move(bytes), in.SourceName());
    SaveDatInput section(source);
    try {
        ReadBody(book, section);
    } catch (const IoError&) {
        in.FailDamaged();
    }
}
