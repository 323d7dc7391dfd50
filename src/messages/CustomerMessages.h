#pragma once

#include <string_view>

// Texts of the customer table and its windows beside the numbered catalog.
namespace CustomerMessages {

inline constexpr std::u16string_view kTableNotOpen = u"Die Kundendatenbank ist nicht geöffnet.";
inline constexpr std::u16string_view kNoTransferWithoutTable =
    u"Die Kundendatenbank ist nicht geöffnet. Es kann kein Kunde übernommen werden.";
inline constexpr std::u16string_view kNoCustomerChosen =
    u"Es ist kein Kunde ausgewählt. Die Adresse bleibt unverändert.";
// Followed by the reason.
inline constexpr std::u16string_view kNotRebuilt = u"Die Kundendatenbank konnte nicht umgebaut werden:\n";
inline constexpr std::u16string_view kDeleteQuestion = u"Datensatz löschen?";
inline constexpr std::u16string_view kWindowTitle = u"Kundenverwaltung";
// Each followed by the report of the damaged memos that were met.
inline constexpr std::u16string_view kSearchWentOn = u"Die Suche hat alle übrigen Datensätze durchsucht. ";
inline constexpr std::u16string_view kPrintWentOn = u"Die übrigen Datensätze wurden gedruckt. ";
inline constexpr std::u16string_view kCountWentOn = u"Die Zählung zählt diese Memos als leer. ";

}  // namespace CustomerMessages
