#include "messages/PrintMessages.h"

#include <charconv>

namespace PrintMessages {

std::u16string NoPrinter(std::u16string_view advice)
{
    std::u16string text = u"Es ist kein Drucker eingerichtet.";
    if (!advice.empty())
        text.append(u" ").append(advice);
    return text;
}

std::u16string JobNotStarted(std::u16string_view title)
{
    return u"Der Druckauftrag „" + std::u16string(title) +
           u"“ konnte nicht gestartet werden. Bitte prüfen Sie den Drucker.";
}

std::u16string PrintFailed(PrintRefusal refusal, std::u16string_view printer, std::u16string_view detail)
{
    const std::u16string name = u"„" + std::u16string(printer) + u"“";
    std::u16string reason;
    switch (refusal) {
    case PrintRefusal::NotAccepting:
        reason = u"Der Drucker " + name + u" nimmt zurzeit keine Druckaufträge an.";
        break;
    case PrintRefusal::NoSuchPrinter:
        reason = u"Den Drucker " + name + u" gibt es nicht mehr.";
        break;
    case PrintRefusal::Unreachable:
        reason = u"Das Drucksystem ist nicht erreichbar.";
        break;
    case PrintRefusal::None:
    case PrintRefusal::Other:
        if (!detail.empty())
            reason = u"Das Drucksystem meldet: " + std::u16string(detail);
        break;
    }
    std::u16string text = u"Der Druck ist fehlgeschlagen.";
    if (!reason.empty())
        text.append(u" ").append(reason);
    text.append(u" Bitte prüfen Sie den Drucker.");
    return text;
}

std::u16string PaperSourceName(std::string_view keyword)
{
    struct Name {
        std::string_view keyword;
        const char16_t* text;
    };
    static constexpr Name kNames[] = {
        {"auto", u"Automatisch"},
        {"main", u"Hauptfach"},
        {"manual", u"Manuelle Zufuhr"},
        {"by-pass-tray", u"Mehrzweckzufuhr"},
        {"alternate", u"Zweites Fach"},
        {"top", u"Oberes Fach"},
        {"middle", u"Mittleres Fach"},
        {"bottom", u"Unteres Fach"},
        {"side", u"Seitliches Fach"},
        {"envelope", u"Umschlagzufuhr"},
        {"large-capacity", u"Großraumfach"},
        {"photo", u"Fotofach"},
        {"disc", u"CD-/DVD-Fach"},
        {"rear", u"Hintere Zufuhr"},
        {"front", u"Vordere Zufuhr"},
        {"left", u"Linkes Fach"},
        {"right", u"Rechtes Fach"},
        {"main-roll", u"Rolle"},
    };
    for (const Name& name : kNames) {
        if (name.keyword == keyword)
            return name.text;
    }
    // "tray-N" and "roll-N" carry their number.
    for (const auto& [prefix, text] : {std::pair<std::string_view, std::u16string_view>{"tray-", u"Fach "},
                                       std::pair<std::string_view, std::u16string_view>{"roll-", u"Rolle "}}) {
        if (!keyword.starts_with(prefix))
            continue;
        const std::string_view digits = keyword.substr(prefix.size());
        unsigned number = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error == std::errc() && end == digits.data() + digits.size() && !digits.empty())
            return std::u16string(text) + std::u16string(digits.begin(), digits.end());
    }
    return {};
}

std::u16string PrinterDefaultSource()
{
    return u"Vorgabe des Druckers";
}

}  // namespace PrintMessages
