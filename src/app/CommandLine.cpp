#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Options that QApplication takes for itself; they are passed on untouched.
constexpr std::array<std::string_view, 18> kQtOptionsWithValue = {"-platform",
                                                                  "-platformpluginpath",
                                                                  "-platformtheme",
                                                                  "-plugin",
                                                                  "-style",
                                                                  "-stylesheet",
                                                                  "-display",
                                                                  "-geometry",
                                                                  "-title",
                                                                  "-session",
                                                                  "-qwindowgeometry",
                                                                  "-qwindowtitle",
                                                                  "-qwindowicon",
                                                                  "-name",
                                                                  "-font",
                                                                  "-fn",
                                                                  "-bg",
                                                                  "-fg"};
constexpr std::array<std::string_view, 5> kQtFlags = {"-reverse", "-nograb", "-dograb", "-sync", "-widgetcount"};

bool Contains(auto& list, const std::string& arg)
{
    return std::find(list.begin(), list.end(), arg) != list.end();
}

// The document kinds as the output tab lists them.
constexpr std::array<std::string_view, 8> kKinds = {"Rechnung",   "Lieferschein",        "Angebot",
                                                    "Gutschrift", "Auftragsbestätigung", "Proforma Rechnung",
                                                    "Mahnung",    "Bestellung"};

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

// A whole number from 1 to 1,000,000,000 written in decimal digits; 0 otherwise.
int PositiveNumber(const std::string& text)
{
    if (text.empty() || text.size() > 10)
        return 0;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= 1000000000 ? int(value) : 0;
}

}

int CommandLine::ParseKind(const std::string& text)
{
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '7')
        return text[0] - '0';
    for (size_t k = 0; k < kKinds.size(); ++k) {
        if (SameName(text, kKinds[k]))
            return int(k);
    }
    return -1;
}

CommandLine CommandLine::Parse(const std::vector<std::string>& args)
{
    CommandLine result;
    bool sawExportOption = false;
    bool sawProfile = false;
    bool sawKind = false;
    const auto Usage = [&result](const std::string& error) {
        result.action = Action::UsageError;
        result.error = error;
        return result;
    };
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            result.action = Action::Help;
            return result;
        }
        if (arg == "--version" || arg == "-v") {
            result.action = Action::Version;
            return result;
        }
        if (arg == "--data-dir") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                result.action = Action::UsageError;
                result.error = "--data-dir braucht ein Verzeichnis";
                return result;
            }
            result.dataDir = args[++i];
            continue;
        }
        if (arg == "--list") {
            result.action = Action::List;
            continue;
        }
        if (arg == "--export-customers-csv" || arg == "--import-customers-csv") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return Usage(arg + " braucht einen Dateinamen");
            result.action = arg == "--export-customers-csv" ? Action::ExportCustomersCsv : Action::ImportCustomersCsv;
            result.csvFile = args[++i];
            continue;
        }
        if (arg == "--show-einvoice" || arg == "--einvoice-to-pdf") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return Usage(arg + " braucht einen Dateinamen");
            result.action = arg == "--show-einvoice" ? Action::ShowEInvoice : Action::EInvoiceToPdf;
            result.receivedFile = args[++i];
            continue;
        }
        if (arg == "--zugferd") {
            result.zugferd = true;
            continue;
        }
        if (arg == "--export-pdf" || arg == "--export-einvoice" || arg == "--check-einvoice" || arg == "--output" ||
            arg == "--kind" || arg == "--profile") {
            const bool missing = i + 1 >= args.size() || args[i + 1].empty();
            const std::string value = missing ? std::string() : args[++i];
            if (arg == "--export-pdf" || arg == "--export-einvoice" || arg == "--check-einvoice") {
                result.action = arg == "--export-pdf"        ? Action::ExportPdf
                                : arg == "--export-einvoice" ? Action::ExportEInvoice
                                                             : Action::CheckEInvoice;
                result.exportInvoice = PositiveNumber(value);
                if (result.exportInvoice == 0)
                    return Usage(arg + " braucht die Position einer Rechnung (ab 1)");
                continue;
            }
            if (arg == "--profile") {
                if (value == "xrechnung")
                    result.profile = Profile::XRechnung;
                else if (value == "en16931")
                    result.profile = Profile::EN16931;
                else
                    return Usage("--profile braucht xrechnung oder en16931");
                sawProfile = true;
                continue;
            }
            if (arg == "--output") {
                if (missing)
                    return Usage("--output braucht einen Dateinamen");
                result.outputFile = value;
            } else {
                sawKind = true;
                result.exportKind = ParseKind(value);
                if (result.exportKind < 0)
                    return Usage("--kind braucht eine Dokumentart: 0 bis 7 oder ihren Namen (Rechnung, "
                                 "Lieferschein, Angebot, Gutschrift, Auftragsbestätigung, Proforma Rechnung, "
                                 "Mahnung, Bestellung)");
            }
            sawExportOption = true;
            continue;
        }
        if (Contains(kQtFlags, arg))
            continue;
        if (Contains(kQtOptionsWithValue, arg)) {
            ++i;
            continue;
        }
        result.action = Action::UsageError;
        result.error = "Unbekannte Option: " + arg;
        return result;
    }
    const bool einvoice = result.action == Action::ExportEInvoice || result.action == Action::CheckEInvoice;
    const bool received = result.action == Action::ShowEInvoice || result.action == Action::EInvoiceToPdf;
    if (!result.receivedFile.empty() && !received)
        return Usage("--show-einvoice und --einvoice-to-pdf gehen nicht mit anderen Aufgaben zusammen");
    if (result.action == Action::EInvoiceToPdf) {
        // The readable page of a received e-invoice has no document kind: only --output.
        if (sawKind || sawProfile || result.zugferd || result.exportInvoice != 0)
            return Usage("--einvoice-to-pdf nimmt nur --output DATEI");
        if (result.outputFile.empty())
            return Usage("--einvoice-to-pdf braucht --output DATEI");
        return result;
    }
    if (sawExportOption && result.action != Action::ExportPdf && !einvoice)
        return Usage("--output und --kind gehören zu --export-pdf, --export-einvoice oder --einvoice-to-pdf");
    const bool hybrid = result.action == Action::ExportPdf && result.zugferd;
    if (result.zugferd && result.action != Action::ExportPdf)
        return Usage("--zugferd gehört zu --export-pdf");
    if (sawProfile && !einvoice && !hybrid)
        return Usage("--profile gehört zu --export-einvoice, --check-einvoice oder --export-pdf --zugferd");
    if (result.action == Action::CheckEInvoice && !result.outputFile.empty())
        return Usage("--check-einvoice schreibt keine Datei: ohne --output");
    if (result.action == Action::ExportPdf && result.outputFile.empty())
        return Usage("--export-pdf braucht --output DATEI");
    if (result.action == Action::ExportEInvoice && result.outputFile.empty())
        return Usage("--export-einvoice braucht --output DATEI");
    return result;
}

std::string CommandLine::HelpText(const std::string& programName)
{
    return "Aufruf: " + programName +
           " [Optionen]\n"
           "Rekolon – Rechnungen, Lieferscheine, Angebote und Kunden verwalten.\n"
           "\n"
           "Optionen:\n"
           "  --data-dir VERZEICHNIS  dieses Datenverzeichnis verwenden (nur für diesen Aufruf)\n"
           "  --list                  alle Rechnungen auflisten (Nr., Rechnungsnr., Datum,\n"
           "                          Firma, Name, Gesamtbetrag), ohne Fenster\n"
           "  --export-pdf N --output DATEI [--kind ART]\n"
           "                          Rechnung Nr. N (wie bei --list) als PDF-Datei speichern,\n"
           "                          ohne Fenster; ART ist 0 bis 7 oder der Name der Dokumentart\n"
           "                          (Rechnung, Lieferschein, Angebot, Gutschrift,\n"
           "                          Auftragsbestätigung, Proforma Rechnung, Mahnung, Bestellung);\n"
           "                          ohne --kind eine Rechnung\n"
           "  --export-pdf N --output DATEI --zugferd [--profile xrechnung|en16931] [--kind ART]\n"
           "                          Rechnung Nr. N als PDF/A-3 mit eingebetteter E-Rechnung\n"
           "                          (ZUGFeRD/Factur-X) speichern; geprüft wie bei\n"
           "                          --export-einvoice, fehlt etwas, wird nichts geschrieben (Ende 1)\n"
           "  --export-einvoice N --output DATEI [--profile xrechnung|en16931] [--kind ART]\n"
           "                          Rechnung Nr. N als E-Rechnung (XML, EN 16931 oder XRechnung)\n"
           "                          speichern, ohne Fenster; ohne --profile das Profil der\n"
           "                          Einstellungen; ART wie bei --export-pdf (nur Rechnung oder\n"
           "                          Gutschrift). Fehlt etwas, steht die Liste auf der\n"
           "                          Standardfehlerausgabe, es wird nichts geschrieben (Ende 1)\n"
           "  --check-einvoice N [--profile xrechnung|en16931] [--kind ART]\n"
           "                          prüfen, was Rechnung Nr. N für eine E-Rechnung fehlt, und es\n"
           "                          ausgeben; Ende 0, wenn nichts fehlt\n"
           "  --show-einvoice DATEI   eine erhaltene E-Rechnung (XRechnung oder ZUGFeRD, als XML\n"
           "                          oder PDF) im Fenster „E-Rechnung anzeigen“ öffnen, ohne\n"
           "                          Hauptfenster; eine Datei, die sich nicht lesen lässt: Ende 1\n"
           "  --einvoice-to-pdf DATEI --output PDF\n"
           "                          eine erhaltene E-Rechnung als lesbare PDF-Datei speichern,\n"
           "                          ohne Fenster; eine Datei, die sich nicht lesen lässt: Meldung\n"
           "                          auf der Standardfehlerausgabe, nichts geschrieben (Ende 1)\n"
           "  --export-customers-csv DATEI\n"
           "                          die Kundendatenbank als CSV-Datei speichern, ohne Fenster\n"
           "  --import-customers-csv DATEI\n"
           "                          die Datensätze einer CSV-Datei der Kundendatenbank\n"
           "                          hinzufügen, ohne Fenster\n"
           "  --help                  diese Hilfe anzeigen\n"
           "  --version               die Versionsnummer anzeigen\n";
}
