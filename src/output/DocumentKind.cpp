#include "output/DocumentKind.h"

DocumentKind DocumentKind::Of(int32_t kind)
{
    switch (kind) {
    case 0:
        return {143, false, true, false, true};  // Rechnung
    case 1:
        return {141, true, false, true, false};  // Lieferschein
    case 2:
        return {142, false, false, false, false};  // Angebot
    case 3:
        return {154, false, false, false, false};  // Gutschrift
    case 4:
        return {155, false, true, false, false};  // Auftragsbestätigung
    case 5:
        return {156, false, true, false, true};  // Proforma Rechnung
    case 6:
        return {159, false, true, false, true};  // Mahnung
    case 7:
        return {160, false, true, false, false};  // Bestellung
    default:
        return {143, false, false, false, false};  // none selected
    }
}
