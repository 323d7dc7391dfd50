#include "messages/MessageCatalog.h"

#include <gtest/gtest.h>

TEST(MessageCatalog, OutsideTheSlotsIsEmpty)
{
    EXPECT_EQ(MessageText(0), u"");
    EXPECT_EQ(MessageText(274), u"");
    EXPECT_EQ(MessageText(-5), u"");
    EXPECT_EQ(MessageText(INT32_MIN), u"");
    EXPECT_EQ(MessageText(1), u"");  // a valid slot the program never asks for
}

TEST(MessageCatalog, TextsCharacterForCharacter)
{
    EXPECT_EQ(MessageText(273), u"Artikel löschen?");
    EXPECT_EQ(MessageText(139), u"eMail:");
    EXPECT_EQ(MessageText(150), u"% MwSt:");
    EXPECT_EQ(MessageText(134),
              u"Die Rechnungposition wurde der Artikelliste hinzugefügt. Der Artikel ist nun dauerhaft verfügbar.");
    EXPECT_EQ(
        MessageText(133),
        u"Achtung: die Datei save.dat konnte nicht angelegt werden. Die Datensätze konnten nicht gespeichert werden!");
    EXPECT_EQ(MessageText(155), u"Auftragsbestätigung");
    EXPECT_EQ(MessageText(268), u"Übernehmen");
    EXPECT_EQ(MessageText(12), u"Konnte Datei nicht anlegen");
}

TEST(MessageCatalog, SameTextUnderDistinctNumbers)
{
    EXPECT_EQ(MessageText(199), u"Feld löschen");
    EXPECT_EQ(MessageText(201), u"Feld löschen");
    EXPECT_EQ(MessageText(137), u"Fax");
    EXPECT_EQ(MessageText(212), u"Fax");
}

TEST(MessageCatalog, CustomerColumnNames)
{
    const char16_t* expected[] = {u"Firma", u"Name",    u"Vorname", u"Anrede", u"StrasseNr", u"PLZ", u"Ort",
                                  u"Land",  u"Telefon", u"Fax",     u"Handy",  u"Email",     u"Mehr"};
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(MessageText(203 + i), expected[i]) << 203 + i;
    EXPECT_EQ(MessageText(224), u"Kundennr");
    EXPECT_EQ(MessageText(229), u"Kostenst");
}

TEST(MessageCatalog, EveryUsedSlotIsFilled)
{
    const int used[] = {12,  13,  57,  66,  67,  68,  82,  129, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140,
                        141, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151, 152, 153, 154, 155, 156, 159, 160,
                        193, 194, 195, 196, 197, 198, 199, 200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210,
                        211, 212, 213, 214, 215, 224, 229, 264, 267, 268, 269, 270, 271, 272, 273};
    for (int n : used)
        EXPECT_FALSE(MessageText(n).empty()) << n;
}
