// The texts of printing: why a job failed, and the German names of paper sources.
#include "messages/PrintMessages.h"

#include <gtest/gtest.h>

TEST(PrintMessages, AFailedJobSaysWhy)
{
    using R = PrintRefusal;
    EXPECT_EQ(PrintMessages::PrintFailed(R::NotAccepting, u"Büro", u"not accepting"),
              u"Der Druck ist fehlgeschlagen. Der Drucker „Büro“ nimmt zurzeit keine Druckaufträge an. Bitte prüfen "
              u"Sie den Drucker.");
    EXPECT_EQ(PrintMessages::PrintFailed(R::NoSuchPrinter, u"Alt", u""),
              u"Der Druck ist fehlgeschlagen. Den Drucker „Alt“ gibt es nicht mehr. Bitte prüfen Sie den Drucker.");
    EXPECT_EQ(PrintMessages::PrintFailed(R::Unreachable, u"Büro", u"No such file"),
              u"Der Druck ist fehlgeschlagen. Das Drucksystem ist nicht erreichbar. Bitte prüfen Sie den Drucker.");
    EXPECT_EQ(PrintMessages::PrintFailed(R::Other, u"Büro", u"Quota exceeded"),
              u"Der Druck ist fehlgeschlagen. Das Drucksystem meldet: Quota exceeded Bitte prüfen Sie den Drucker.");
    EXPECT_EQ(PrintMessages::PrintFailed(R::Other, u"", u""),
              u"Der Druck ist fehlgeschlagen. Bitte prüfen Sie den Drucker.");
    EXPECT_EQ(PrintMessages::NoPrinter(PrintMessages::kSetupAdvice),
              u"Es ist kein Drucker eingerichtet. Die Seite hat die Größe DIN A4.");
}

TEST(PrintMessages, PaperSourceNames)
{
    const struct {
        const char* keyword;
        const char16_t* name;
    } cases[] = {
        {"auto", u"Automatisch"},
        {"manual", u"Manuelle Zufuhr"},
        {"by-pass-tray", u"Mehrzweckzufuhr"},
        {"tray-1", u"Fach 1"},
        {"tray-12", u"Fach 12"},
        {"roll-2", u"Rolle 2"},
        {"bottom", u"Unteres Fach"},
        {"tray-", u""},
        {"tray-x", u""},
        {"tray-2a", u""},
        {"x-vendor-slot", u""},
        {"", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrintMessages::PaperSourceName(c.keyword), c.name) << c.keyword;
}
