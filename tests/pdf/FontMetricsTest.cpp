#include "pdf/FontMetrics.h"
#include "pdf/TMeasureCanvas.h"

#include "foundation/Cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kBitmapFont = std::string(REKOLON_TEST_DATA) + "/pdf-bitmap-font.bdf";

}

TEST(FontMetrics, ArialResolvesToLiberationSansInEveryStyle)
{
    FontMetrics& fm = FontMetrics::Shared();
    EXPECT_NE(fm.FacePath(u"Arial", 0).find("LiberationSans-Regular"), std::string::npos);
    EXPECT_NE(fm.FacePath(u"Arial", TPDFFont::fsBold).find("LiberationSans-Bold."), std::string::npos);
    EXPECT_NE(fm.FacePath(u"Arial", TPDFFont::fsItalic).find("LiberationSans-Italic"), std::string::npos);
    EXPECT_NE(fm.FacePath(u"Arial", TPDFFont::fsBold | TPDFFont::fsItalic).find("LiberationSans-BoldItalic"),
              std::string::npos);
    // Underline and strike-out choose no other face.
    EXPECT_EQ(fm.FacePath(u"Arial", TPDFFont::fsUnderline | TPDFFont::fsStrikeOut), fm.FacePath(u"Arial", 0));
}

TEST(FontMetrics, ArialAtTwelvePixelsHasArialsWholePixelMetrics)
{
    // Arial's advances are 1139/2048 em for a, 1366 for A, 569 for the space; its Windows
    // ascent and descent 1854 and 434: at 12 pixels per em 7, 8, 3 and a cell of 11 + 3.
    const FontSizeMetrics& m = FontMetrics::Shared().Size(u"Arial", 0, 12);
    EXPECT_EQ(m.widths['a'], 7);
    EXPECT_EQ(m.widths['A'], 8);
    EXPECT_EQ(m.widths[' '], 3);
    EXPECT_EQ(m.ascent, 11);
    EXPECT_EQ(m.descent, 3);
    EXPECT_EQ(m.CellHeight(), 14);
    // At 100 points: 55.6, 66.7 and 27.8 rounded; cell 90.5 + 21.2.
    const FontSizeMetrics& big = FontMetrics::Shared().Size(u"Arial", 0, 100);
    EXPECT_EQ(big.widths['a'], 56);
    EXPECT_EQ(big.widths['A'], 67);
    EXPECT_EQ(big.widths[' '], 28);
    EXPECT_EQ(big.CellHeight(), 91 + 21);
}

TEST(FontMetrics, DictionaryMetricsOfArial)
{
    const FontDictMetrics d = FontMetrics::Shared().Dict(u"Arial", 0);
    EXPECT_TRUE(d.outline);
    EXPECT_EQ(d.firstChar, 32);
    EXPECT_EQ(d.lastChar, 255);
    EXPECT_EQ(d.italicAngle, 0);
    EXPECT_EQ(d.ascent, 9);    // typographic ascender 1491/2048 em
    EXPECT_EQ(d.descent, -3);  // typographic descender -431/2048 em
    EXPECT_LT(d.bboxLeft, 0);
    EXPECT_LT(d.bboxBottom, 0);
    EXPECT_GT(d.bboxRight, 12);
    EXPECT_GT(d.bboxTop, 9);
    // The euro sign is code 0x80 in Windows-1252 and Arial has it.
    EXPECT_EQ(d.widths[0x80], 7);
    const FontDictMetrics italic = FontMetrics::Shared().Dict(u"Arial", TPDFFont::fsItalic);
    EXPECT_EQ(italic.italicAngle, -12);
}

TEST(FontMetrics, UnknownFaceFallsBackToASansFace)
{
    FontMetrics& fm = FontMetrics::Shared();
    const std::string path = fm.FacePath(u"Keine Solche Schrift 4711", 0);
    EXPECT_FALSE(path.empty());
    const FontSizeMetrics& m = fm.Size(u"Keine Solche Schrift 4711", 0, 12);
    EXPECT_GT(m.widths['A'], 0);
    EXPECT_GT(m.CellHeight(), 10);
    EXPECT_TRUE(fm.Dict(u"Keine Solche Schrift 4711", 0).outline);
    // The empty name too.
    EXPECT_GT(fm.Size(u"", 0, 12).CellHeight(), 0);
}

TEST(FontMetrics, SizeZeroMeasuresNothingAndNegativeSizesCountAsPositive)
{
    FontMetrics& fm = FontMetrics::Shared();
    EXPECT_EQ(fm.Size(u"Arial", 0, 0).CellHeight(), 0);
    EXPECT_EQ(fm.Size(u"Arial", 0, 0).widths['W'], 0);
    EXPECT_EQ(fm.Size(u"Arial", 0, -12).widths['a'], 7);
    EXPECT_EQ(fm.Size(u"Arial", 0, -12).CellHeight(), 14);
}

TEST(FontMetrics, BitmapFaceHasNoOutlineMetrics)
{
    auto face = FontMetrics::Shared().LoadFile(kBitmapFont);
    ASSERT_TRUE(face);
    EXPECT_FALSE(face->HasOutlines());
    // The one strike (10 pixels) is used unscaled whatever size is asked for.
    const FontSizeMetrics m = face->SizeMetrics(12);
    EXPECT_EQ(m.widths['A'], 6);
    EXPECT_EQ(m.widths['W'], 9);
    EXPECT_EQ(m.widths['a'], 5);
    EXPECT_EQ(m.ascent, 8);
    EXPECT_EQ(m.descent, 2);
    EXPECT_EQ(face->SizeMetrics(30).CellHeight(), 10);
    const FontDictMetrics d = face->DictMetrics();
    EXPECT_FALSE(d.outline);
    EXPECT_EQ(d.cellHeight, 10);
    EXPECT_EQ(d.widest, 9);
    EXPECT_EQ(d.firstChar, 32);
    EXPECT_EQ(d.lastChar, 97);
    EXPECT_EQ(d.ascent, 8);
    EXPECT_EQ(d.descent, 2);
}

TEST(FontMetrics, UnreadableFilesGiveNoFace)
{
    EXPECT_FALSE(FontMetrics::Shared().LoadFile(std::string(REKOLON_TEST_DATA) + "/does-not-exist.ttf"));
    EXPECT_FALSE(FontMetrics::Shared().LoadFile(std::string(REKOLON_TEST_DATA) + "/str8-count-past-end.bin"));
}

TEST(FontMetrics, PlaceholderWhenNoFontExistsAtAll)
{
    auto face = FontFace::Placeholder();
    const FontSizeMetrics m = face->SizeMetrics(10);
    EXPECT_EQ(m.widths['A'], 5);
    EXPECT_EQ(m.ascent, 8);
    EXPECT_EQ(m.descent, 2);
    EXPECT_FALSE(face->DictMetrics().outline);
}

TEST(MeasureCanvas, WidthIsTheSumOfWholePixelAdvancesOfTheWindows1252Bytes)
{
    TMeasureCanvas canvas;
    canvas.font.name = u"Arial";
    canvas.font.size = 12;
    const FontSizeMetrics& m = FontMetrics::Shared().Size(u"Arial", 0, 12);
    EXPECT_EQ(canvas.TextWidth(u"Rechnung"), m.widths['R'] + m.widths['e'] + m.widths['c'] + m.widths['h'] +
                                                 m.widths['n'] + m.widths['u'] + m.widths['n'] + m.widths['g']);
    EXPECT_EQ(canvas.TextWidth(u"€"), m.widths[0x80]);
    EXPECT_EQ(canvas.TextWidth(u"ä"), m.widths[0xE4]);
    // A character outside the code page measures as the "?" it becomes.
    EXPECT_EQ(canvas.TextWidth(u"\u0416"), m.widths['?']);
    EXPECT_EQ(canvas.TextWidth(u""), 0);
    EXPECT_EQ(canvas.TextHeight(u""), 0);
    EXPECT_EQ(canvas.TextHeight(u"."), 14);
    EXPECT_EQ(canvas.TextHeight(u"Äg"), 14);
    // A bold face is measured with its own widths; the cache follows every change of font.
    canvas.font.style = TPDFFont::fsBold;
    EXPECT_EQ(canvas.TextWidth(u"A"), FontMetrics::Shared().Size(u"Arial", 1, 12).widths['A']);
    canvas.font.size = 24;
    EXPECT_EQ(canvas.TextWidth(u"A"), FontMetrics::Shared().Size(u"Arial", 1, 24).widths['A']);
    canvas.font.name = u"Courier New";
    EXPECT_EQ(canvas.TextWidth(u"iiii"), canvas.TextWidth(u"WWWW"));  // a fixed-pitch face
}
