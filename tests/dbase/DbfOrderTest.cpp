// Filter callback and named indexes: which records a walk visits and in which order.
#include "dbase/DbfCollation.h"
#include "dbase/DbfTable.h"
#include "foundation/IoError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class DbfOrderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = dir_.File("k.dbf");
        DbfTable::Create(path_,
                         {DbfField::Character(u"Name", 20), DbfField::Memo(u"Mehr"), DbfField::Character(u"Ort", 20)});
        table_.Open(path_);
        for (auto [name, ort] : std::vector<std::pair<std::u16string, std::u16string>>{{u"Zabel", u"berlin"},
                                                                                       {u"Müller", u"Augsburg"},
                                                                                       {u"meier", u"Berlin"},
                                                                                       {u"Abt", u"Ägypten"},
                                                                                       {u"Mahler", u"Berlin"},
                                                                                       {u"Öztürk", u"Zwiesel"}}) {
            table_.Append();
            table_.SetValue(0, name);
            table_.SetValue(2, ort);
            table_.Post();
        }
    }

    std::vector<std::u16string> Walk(int field = 0)
    {
        std::vector<std::u16string> seen;
        for (table_.First(); !table_.Eof(); table_.Next())
            seen.push_back(table_.Value(field));
        return seen;
    }

    TempDir dir_;
    std::string path_;
    DbfTable table_;
};

}  // namespace

TEST_F(DbfOrderTest, FilterCallbackDecidesVisibilityWhileOn)
{
    table_.SetFilterCallback([](const DbfTable& t) { return t.Value(2).find(u"erlin") != std::u16string::npos; });
    EXPECT_EQ(Walk().size(), 6u);  // callback set, filter still off
    table_.SetFiltered(true);
    EXPECT_EQ(Walk(), (std::vector<std::u16string>{u"Zabel", u"meier", u"Mahler"}));
    std::vector<std::u16string> backwards;
    for (table_.Last(); !table_.Bof(); table_.Prior())
        backwards.push_back(table_.Value(0));
    EXPECT_EQ(backwards, (std::vector<std::u16string>{u"Mahler", u"meier", u"Zabel"}));

    table_.SetFilterCallback([](const DbfTable&) { return false; });
    table_.SetFiltered(true);
    EXPECT_TRUE(table_.IsEmpty());
    EXPECT_TRUE(table_.Eof());
    EXPECT_EQ(table_.Value(0), u"");
    table_.SetFiltered(false);
    EXPECT_EQ(Walk().size(), 6u);
}

TEST_F(DbfOrderTest, IndexOrdersWalksWithoutCaseAndWithUmlautsAtTheirBaseLetter)
{
    table_.AddIndex(u"Name", 0);
    EXPECT_EQ(Walk().size(), 6u);
    EXPECT_EQ(Walk().front(), u"Zabel");  // adding does not select
    table_.SelectIndex(u"NAME");
    EXPECT_EQ(table_.ActiveIndex(), u"Name");
    EXPECT_EQ(Walk(), (std::vector<std::u16string>{u"Abt", u"Mahler", u"meier", u"Müller", u"Öztürk", u"Zabel"}));

    table_.AddIndex(u"Ort", 2);
    table_.SelectIndex(u"Ort");
    // Duplicates allowed; equal keys by their bytes ("Berlin" before "berlin"), then by
    // record number.
    EXPECT_EQ(Walk(0), (std::vector<std::u16string>{u"Abt", u"Müller", u"meier", u"Mahler", u"Zabel", u"Öztürk"}));
    EXPECT_EQ(table_.IndexNames(), (std::vector<std::u16string>{u"Name", u"Ort"}));
    EXPECT_THROW(table_.AddIndex(u"Ort", 0), IoError);
    EXPECT_THROW(table_.AddIndex(u"Mehr", 1), IoError);
    EXPECT_THROW(table_.SelectIndex(u"Fehlt"), IoError);
    EXPECT_EQ(table_.ActiveIndex(), u"Ort");

    table_.SelectIndex(u"");
    EXPECT_EQ(Walk().front(), u"Zabel");
}

TEST_F(DbfOrderTest, IndexFollowsPostedEditsAppendsAndDeletes)
{
    table_.AddIndex(u"Name", 0);
    table_.SelectIndex(u"Name");
    table_.First();  // Abt
    table_.Edit();
    table_.SetValue(0, u"Zorn");
    table_.Post();
    EXPECT_EQ(table_.Value(0), u"Zorn");
    EXPECT_TRUE(table_.Bof() == false);
    table_.Next();
    EXPECT_TRUE(table_.Eof());  // Zorn is now last
    table_.Append();
    table_.SetValue(0, u"Baum");
    table_.Post();
    table_.Prior();
    EXPECT_EQ(table_.Value(0), u"Baum");  // it sorts first, so Prior() stays on it
    EXPECT_TRUE(table_.Bof());
    table_.Next();
    EXPECT_EQ(table_.Value(0), u"Mahler");
    table_.Delete();
    EXPECT_EQ(table_.Value(0), u"meier");
    EXPECT_EQ(Walk(), (std::vector<std::u16string>{u"Baum", u"meier", u"Müller", u"Öztürk", u"Zabel", u"Zorn"}));

    // The filter applies in index order too.
    table_.SetFilterCallback([](const DbfTable& t) { return t.Value(0).starts_with(u"Z"); });
    table_.SetFiltered(true);
    EXPECT_EQ(Walk(), (std::vector<std::u16string>{u"Zabel", u"Zorn"}));
}

TEST(DbfCollation, FoldsCaseAndUmlauts)
{
    EXPECT_EQ(DbfCollation::Key("M\xFCller"), "muller");
    EXPECT_EQ(DbfCollation::Key("STRA\xDF"
                                "E  "),
              "strasse");
    EXPECT_LT(DbfCollation::Compare("Abend", "\xC4pfel"), 0);
    EXPECT_LT(DbfCollation::Compare("\xC4pfel", "Birne"), 0);
    EXPECT_LT(DbfCollation::Compare("Berlin", "berlin"), 0);
    EXPECT_EQ(DbfCollation::Compare("Ort  ", "Ort"), 0);
}
