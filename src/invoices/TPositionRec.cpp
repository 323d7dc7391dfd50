#include "invoices/TPositionRec.h"

#include "invoices/TextBuf.h"

void ReleasePosition(TPositionRec& position)
{
    ReleaseTextBuf(&position.einheit);
    ReleaseTextBuf(&position.artnr);
    ReleaseTextBuf(&position.bez);
}
