#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Options that QApplication takes for itself; they are passed on untouched.
constexpr std::array<std::string_view, 18> kQtOptionsWithValue = {
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-style", "-stylesheet",
    "-display", "-geometry", "-title", "-session", "-qwindowgeometry", "-qwindowtitle",
    "-qwindowicon", "-name", "-font", "-fn", "-bg", "-fg"};
constexpr std::array<std::string_view, 5> kQtFlags = {"-reverse", "-nograb", "-dograb", "-sync",
                                                      "-widgetcount"};

bool Contains(auto& list, const std::string& arg)
{
    return std::find(list.begin(), list.end(), arg) != list.end();
}

}

CommandLine CommandLine::Parse(const std::vector<std::string>& args)
{
    CommandLine result;
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
    return result;
}

std::string CommandLine::HelpText(const std::string& programName)
{
    return "Aufruf: " + programName + " [Optionen]\n"
           "Rekolon – Rechnungen, Lieferscheine, Angebote und Kunden verwalten.\n"
           "\n"
           "Optionen:\n"
           "  --data-dir VERZEICHNIS  dieses Datenverzeichnis verwenden (nur für diesen Aufruf)\n"
           "  --list                  alle Rechnungen auflisten (Nr., Rechnungsnr., Datum,\n"
           "                          Firma, Name, Gesamtbetrag), ohne Fenster\n"
           "  --help                  diese Hilfe anzeigen\n"
           "  --version               die Versionsnummer anzeigen\n";
}
