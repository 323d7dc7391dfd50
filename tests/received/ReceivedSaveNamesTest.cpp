// The names proposed when a received invoice's attachment or readable PDF is saved come from a
// stranger's file: no folder, no hidden file, nothing a file system refuses.
#include "received/ReceivedSaveNames.h"
#include "foundation/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Utf8(const std::u16string& text)
{
    return Utf16ToUtf8(text);
}

}  // namespace

TEST(ReceivedSaveNames, FileNamesLoseFoldersAndSpecialCharacters)
{
    const struct {
        std::u16string given;
        std::string safe;
    } cases[] = {
        {u"Stundenzettel.pdf", "Stundenzettel.pdf"},
        {u"../../home/nutzer/.bashrc", "bashrc"},
        {u"C:\\Windows\\system32\\evil.exe", "evil.exe"},
        {u"/etc/passwd", "passwd"},
        {u"..", ""},
        {u"   ", ""},
        {u"Lieferschein: 12/3", "3"},
        {u"a:b*c?d\"e<f>g|h", "a_b_c_d_e_f_g_h"},
        {u"Zeile\neins\tzwei\x7f.txt", "Zeile_eins_zwei_.txt"},
        {u"  Größe Übersicht.xlsx  ", "Größe Übersicht.xlsx"},
        {u"...versteckt", "versteckt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8(SafeFileName(c.given)), c.safe) << Utf8(c.given);
}

TEST(ReceivedSaveNames, LongNamesAreCutKeepingTheExtension)
{
    const std::u16string longStem(300, u'x');
    EXPECT_EQ(SafeFileName(longStem + u".pdf"), std::u16string(196, u'x') + u".pdf");
    EXPECT_EQ(SafeFileName(longStem), std::u16string(200, u'x'));
    // An "extension" longer than 16 characters is part of the name.
    EXPECT_EQ(SafeFileName(longStem + u"." + std::u16string(20, u'e')), std::u16string(200, u'x'));
    // The cut never splits a character outside the basic plane (U+1F4C4, two UTF-16 units).
    std::u16string pages;
    for (int i = 0; i < 120; ++i)
        pages += u"\U0001F4C4";
    const std::u16string cut = SafeFileName(pages);
    EXPECT_EQ(cut.size(), 200u);
    EXPECT_EQ(Utf16ToUtf8(cut).find("\xEF\xBF\xBD"), std::string::npos);
    const std::u16string odd = SafeFileName(u"a" + pages);
    EXPECT_EQ(odd.size(), 199u);
    EXPECT_EQ(Utf16ToUtf8(odd).find("\xEF\xBF\xBD"), std::string::npos);
}

TEST(ReceivedSaveNames, ProposedNames)
{
    ReceivedInvoice invoice;
    const struct {
        std::u16string number;
        std::string pdf;
    } numbers[] = {
        {u"12115118", "12115118.pdf"}, {u"RE/2026/17", "RE-2026-17.pdf"}, {u"018304 / 28865", "018304 - 28865.pdf"},
        {u"", "E-Rechnung.pdf"},       {u"..", "E-Rechnung.pdf"},         {u"<?>", "___.pdf"},
    };
    for (const auto& n : numbers) {
        invoice.number = n.number;
        EXPECT_EQ(Utf8(ProposedReceivedPdfName(invoice)), n.pdf) << Utf8(n.number);
    }

    ReceivedAttachment attachment;
    attachment.fileName = u"../Zeitnachweis.pdf";
    attachment.id = u"Doc2";
    EXPECT_EQ(Utf8(ProposedAttachmentName(attachment, 0)), "Zeitnachweis.pdf");
    attachment.fileName = u"/";
    EXPECT_EQ(Utf8(ProposedAttachmentName(attachment, 0)), "Doc2");
    attachment.id = u"";
    EXPECT_EQ(Utf8(ProposedAttachmentName(attachment, 2)), "Anhang 3");
}

TEST(ReceivedSaveNames, SizesInGerman)
{
    const struct {
        uint64_t bytes;
        std::string text;
    } cases[] = {
        {0, "0 Bytes"},
        {1, "1 Byte"},
        {1023, "1023 Bytes"},
        {1024, "1,0 KB"},
        {1536, "1,5 KB"},
        {12 * 1024 + 307, "12,3 KB"},
        {102349, "100 KB"},  // 99.95 KB: no decimal from 100 on
        {1023 * 1024 + 600, "1,0 MB"},
        {2468919, "2,4 MB"},
        {uint64_t{7} << 20, "7,0 MB"},
        {uint64_t{5} << 30, "5,0 GB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8(ByteSizeText(c.bytes)), c.text) << c.bytes;
}
