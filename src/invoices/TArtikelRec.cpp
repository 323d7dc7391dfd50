#include "invoices/TArtikelRec.h"

#include "invoices/TextBuf.h"

void ReleaseArtikel(TArtikelRec& artikel)
{
    ReleaseTextBuf(&artikel.einheit);
    ReleaseTextBuf(&artikel.artnr);
    ReleaseTextBuf(&artikel.bez);
}
