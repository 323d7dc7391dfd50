#pragma once

#include <cstdint>

// One row of the table of document kinds (the item index of the kind combo box, 0
// "Rechnung" to 7 "Bestellung"; any other index counts as none selected).
struct DocumentKind {
    int32_t titleMessage;  // catalog number of the page title
    bool deliveryAsMain;   // the delivery address, when set, is the main address
    bool deliveryBlock;    // a set delivery address is shown in its own block
    bool pricesOffKind;    // "Lieferschein": no prices when the setting says so
    bool giroCode;         // a demand for payment: may carry the GiroCode

    static DocumentKind Of(int32_t kind);
};

// The number of document kinds (items of the kind combo box).
inline constexpr int32_t kDocumentKindCount = 8;
