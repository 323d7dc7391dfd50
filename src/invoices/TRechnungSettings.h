#pragma once

#include "invoices/SettingRange.h"
#include "invoices/TFontSetting.h"

#include <cstdint>
#include <string>
#include <vector>

// How invoices are numbered.
enum class TRegNrMode : uint8_t {
    NoRegNr = 0,          // "Keine Rechnugsnummer"
    rechnrdatecheck = 1,  // "Automatische Rechungsnummer: jjjjmmtthhmm"
    CountRegNr = 2,       // "Fortlaufende Rechnungsnummer:"
};

// A reusable text for the invoice text: its name and its text (lines separated by CR LF).
struct TTextbaustein {
    std::u16string name;
    std::u16string text;
    bool operator==(const TTextbaustein&) const = default;
};

// One row of the unit table of electronic invoices: the unit as positions write it and its
// UN/ECE Recommendation 20 code.
struct TEinheitCode {
    std::u16string einheit;
    std::u16string code;
    bool operator==(const TEinheitCode&) const = default;
};

// The company and layout settings of the invoice book. The main window shows each in the
// control of the same name; the store file keeps all of them except those marked otherwise.
struct TRechnungSettings {
    // Defaults; the fonts take the screen's pixels per inch.
    explicit TRechnungSettings(int32_t screenPixelsPerInch = 96);

    // Company data.
    std::u16string FirmaED2 = u"FirmaED";
    std::u16string ZusatzEd2 = u"ZusatzEd";
    std::u16string StrasseEd2 = u"StraßeEd";
    std::u16string PLZED2 = u"PLZEd";
    std::u16string OrtED2 = u"OrtED";
    std::u16string TelEd2 = u"TelED";
    std::u16string FaxEd2 = u"FaxEd";
    std::u16string SteuerED2 = u"SteuerED";
    std::u16string eMailED2 = u"eMailEd";
    std::u16string HomepageEd2;
    std::u16string KopfEd = u"Firma - wir sind die besten";
    std::u16string FussEd = u"Bankverbindung: Sparkasse XAZ,  IBAN.:DE4234293429 BIC: 4345345545";
    std::u16string FussEd2;
    std::u16string FussEd3;

    // Page geometry in millimetres (whole numbers in their fields except the line width),
    // kept as stored; whatever uses them takes them into their fields' ranges first
    // (SettingRanges).
    double RandXED = SettingRanges::RandXED.fallback;
    double RandYEd = SettingRanges::RandYEd.fallback;
    double AnschriftYED = SettingRanges::AnschriftYED.fallback;
    double AdrXEd = SettingRanges::AdrXEd.fallback;
    double LineSTEd = SettingRanges::LineSTEd.fallback;

    // Flags.
    bool FootCentCheck = true;
    bool underlinekopfusscheck = true;
    bool DontShowEinheitCheck = false;
    bool insertspaceline = false;
    bool DonotShowAdressCheck = false;
    bool BindestrichCheck = false;
    bool LieferNoWertCheck = true;
    bool FirmaRechtsCheck = false;
    bool NoMwstCheck = false;
    bool OwnBirefpapierCheck = false;  // not kept: unchecked at every start

    // Numbering: the checked radio button, the next sequential number, its prefix.
    TRegNrMode RegNrMode = TRegNrMode::CountRegNr;
    int64_t ARegNrEd = 6300000;
    std::u16string RechNrVorherEd;

    // Logo: image file, position and width in millimetres (kept as stored, like the
    // geometry).
    std::u16string FilenameEdit1;
    double LogoXEd = SettingRanges::LogoXEd.fallback;
    double LogoYEd = SettingRanges::LogoYEd.fallback;
    double BreitEd = SettingRanges::BreitEd.fallback;

    // Currency text put behind amounts.
    std::u16string WaehrEd = u"€";

    // Fonts: addresses, header, small sender line, title, table, invoice text, footer,
    // company block, grand total.
    TFontSetting FontDialog1;
    TFontSetting FontDialog2;
    TFontSetting FontDialog3;
    TFontSetting FontDialog4;
    TFontSetting FontDialog5;
    TFontSetting FontDialog6;
    TFontSetting FontDialog7;
    TFontSetting FontDialog8;
    TFontSetting FontDialog9;

    // Electronic invoices (tab "E-Rechnung"). An empty text means its default or proposal
    // (einvoice/EInvoiceDefaults.h): the country "DE", the account holder the company name,
    // the electronic address the company e-mail, the payment terms text from the payment
    // target.
    std::u16string UStIdEd;     // seller's VAT identification number
    std::u16string LandCodeEd;  // seller's country code (ISO 3166-1)
    std::u16string IbanEd;
    std::u16string BicEd;
    std::u16string KontoinhaberEd;            // account holder
    std::u16string BankEd;                    // bank name
    std::u16string EAdresseEd;                // seller's electronic address (an e-mail address)
    std::u16string KontaktNameEd;             // contact person
    std::u16string KontaktTelEd;              // contact telephone
    std::u16string KontaktMailEd;             // contact e-mail
    std::u16string ZahlungsbedingungEd;       // payment terms text
    int32_t ZahlungszielEd = 14;              // payment target in days
    bool KleinunternehmerCheck = false;       // "Kleinunternehmer nach § 19 UStG": no VAT
    bool XRechnungCheck = false;              // default profile XRechnung (else EN 16931)
    bool GiroCodeCheck = false;               // GiroCode on invoices
    std::vector<TEinheitCode> EinheitenGrid;  // the unit table; the default map at first

    // Text blocks, in the order they were made.
    std::vector<TTextbaustein> ListView4;

    bool operator==(const TRechnungSettings&) const = default;
};
