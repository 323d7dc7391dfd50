// Rebuilding the customer table for the "Felder" menu: column lists, copied records, the
// kept customers0 pair, and failures that leave the table readable with every record.
#include "customers/CustomerRestructure.h"
#include "customers/CustomerTable.h"
#include "customers/CustomerTestTables.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

class CustomerRebuildTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillCustomers(dir_.File("customers.dbf"), CustomerSchema::StandardFields(),
                      {{{u"Firma", u"Eins"},
                        {u"Ort", u"Regensburg"},
                        {u"Mehr", u"Memo eins\r\nzweite Zeile"},
                        {u"Email", u"eins@example.de"}},
                       {{u"Firma", u"Zwei"}, {u"Ort", u"Berlin"}},
                       {{u"Firma", u"Drei"}, {u"Ort", u"Abensberg"}, {u"Mehr", u"Memo drei"}}});
        ASSERT_EQ(customers_.InitDataBase(dir_.Path()), CustomerTable::InitResult::Opened);
    }

    DbfTable& Table() { return customers_.Dbf1(); }

    TempDir dir_;
    ScriptedMessenger messenger_;
    CustomerTable customers_;
};

}  // namespace

TEST_F(CustomerRebuildTest, AddingBemerkungKeepsRecordsAndTheOldTable)
{
    ASSERT_TRUE(customers_.AddnewField(u"Bemerkung", 30));
    ASSERT_EQ(Table().FieldCount(), 16);
    EXPECT_EQ(Table().Field(15), DbfField::Character(u"Bemerkung", 30));
    EXPECT_EQ(Column(Table(), u"Firma"), (std::vector<std::u16string>{u"Eins", u"Zwei", u"Drei"}));
    EXPECT_EQ(Column(Table(), u"Mehr"), (std::vector<std::u16string>{u"Memo eins\r\nzweite Zeile", u"", u"Memo drei"}));
    EXPECT_EQ(Column(Table(), u"Bemerkung"), (std::vector<std::u16string>(3)));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("temp.dbf")));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("temp.dbt")));
    DbfTable old;
    old.Open(dir_.File("customers0.dbf"));
    EXPECT_EQ(old.FieldCount(), 15);
    EXPECT_EQ(Column(old, u"Mehr")[0], u"Memo eins\r\nzweite Zeile");
    EXPECT_TRUE(messenger_.Boxes().empty());
}

TEST_F(CustomerRebuildTest, TableAndMemoKeepTheirPermissionBits)
{
    const auto bits = [this](const char* name) {
        struct stat st {};
        stat(dir_.File(name).c_str(), &st);
        return st.st_mode & 07777;
    };
    chmod(dir_.File("customers.dbf").c_str(), 0600);
    chmod(dir_.File("customers.dbt").c_str(), 0640);
    ASSERT_TRUE(customers_.AddnewField(u"Bemerkung", 30));
    EXPECT_EQ(bits("customers.dbf"), 0600u);
    EXPECT_EQ(bits("customers.dbt"), 0640u);
    chmod(dir_.File("customers.dbt").c_str(), 0604);
    ASSERT_TRUE(customers_.Rebuild(*CustomerRestructure::DeleteLastField(Table().Fields())));
    EXPECT_EQ(bits("customers.dbf"), 0600u);
    EXPECT_EQ(bits("customers.dbt"), 0604u);
    EXPECT_EQ(Column(Table(), u"Firma"), (std::vector<std::u16string>{u"Eins", u"Zwei", u"Drei"}));
}

TEST_F(CustomerRebuildTest, DeletingTheLastColumnNeedsMoreThanFifteenAndSparesTheMemo)
{
    EXPECT_FALSE(CustomerRestructure::DeleteLastField(Table().Fields()).has_value());
    ASSERT_TRUE(customers_.AddnewField(u"Extra", 10));
    // Move "Mehr" to the end, then delete: the column before it goes.
    std::vector<int> order;
    for (int i = 0; i < 16; ++i) {
        if (i != 12)
            order.push_back(i);
    }
    order.push_back(12);
    ASSERT_TRUE(customers_.Rebuild(CustomerRestructure::Reorder(Table().Fields(), order)));
    EXPECT_EQ(Table().Field(15).name, u"Mehr");
    const auto plan = CustomerRestructure::DeleteLastField(Table().Fields());
    ASSERT_TRUE(plan.has_value());
    ASSERT_TRUE(customers_.Rebuild(*plan));
    ASSERT_EQ(Table().FieldCount(), 15);
    EXPECT_EQ(Table().Field(14).name, u"Mehr");
    EXPECT_EQ(Table().Field(13).name, u"Kostenst");
    EXPECT_EQ(Table().FieldIndex(u"Extra"), -1);
    EXPECT_EQ(Column(Table(), u"Mehr"), (std::vector<std::u16string>{u"Memo eins\r\nzweite Zeile", u"", u"Memo drei"}));
    EXPECT_FALSE(CustomerRestructure::DeleteLastField(Table().Fields()).has_value());
}

TEST_F(CustomerRebuildTest, LengthsAreCutAndNonNumbersKeepTheirLength)
{
    std::vector<std::u16string> lengths;
    for (const DbfField& f : Table().Fields())
        lengths.push_back(f.IsMemo() ? u"" : std::u16string(u"45"));
    lengths[5] = u"abc";  // PLZ keeps 10
    lengths[6] = u"5";    // Ort
    lengths[0] = u" 60 ";
    ASSERT_TRUE(customers_.Rebuild(CustomerRestructure::ChangeLengths(Table().Fields(), lengths)));
    EXPECT_EQ(Table().Field(5).length, 10);
    EXPECT_EQ(Table().Field(6).length, 5);
    EXPECT_EQ(Table().Field(0).length, 60);
    EXPECT_EQ(Column(Table(), u"Ort"), (std::vector<std::u16string>{u"Regen", u"Berli", u"Abens"}));

    EXPECT_EQ(CustomerRestructure::WholeNumber(u"-3"), -3);
    EXPECT_FALSE(CustomerRestructure::WholeNumber(u"4.5").has_value());
    EXPECT_FALSE(CustomerRestructure::WholeNumber(u"").has_value());
}

TEST_F(CustomerRebuildTest, ReorderingMovesColumnsWithTheirTexts)
{
    std::vector<int> order = {11};
    for (int i = 0; i < 15; ++i) {
        if (i != 11)
            order.push_back(i);
    }
    ASSERT_TRUE(customers_.Rebuild(CustomerRestructure::Reorder(Table().Fields(), order)));
    EXPECT_EQ(Table().Field(0), DbfField::Character(u"Email", 45));
    EXPECT_EQ(Table().Field(1).name, u"Firma");
    EXPECT_EQ(Column(Table(), u"Email")[0], u"eins@example.de");
    EXPECT_EQ(Table().Value(u"Email"), u"");  // the walk left "Drei" current
}

TEST_F(CustomerRebuildTest, TwoRebuildsInARowKeepTheStateBeforeTheSecond)
{
    ASSERT_TRUE(customers_.AddnewField(u"Erste", 5));
    ASSERT_TRUE(customers_.AddnewField(u"Zweite", 5));
    DbfTable old;
    old.Open(dir_.File("customers0.dbf"));
    EXPECT_EQ(old.FieldCount(), 16);
    EXPECT_EQ(old.Field(15).name, u"Erste");
    EXPECT_EQ(Table().FieldCount(), 17);
}

TEST_F(CustomerRebuildTest, CopiesEveryRecordWhateverTheSearchAndKeepsSearchAndOrder)
{
    customers_.SortByColumn(u"Firma");
    customers_.ApplyFilter(u"eins");
    ASSERT_EQ(Column(Table(), u"Firma").size(), 1u);
    ASSERT_TRUE(customers_.AddnewField(u"Neu", 3));
    EXPECT_TRUE(Table().Filtered());
    EXPECT_EQ(Column(Table(), u"Firma"), (std::vector<std::u16string>{u"Eins"}));
    customers_.ShowAll();
    // Copied in the sort order, and the index is set up again.
    EXPECT_EQ(Table().ActiveIndex(), u"Firma");
    EXPECT_EQ(Column(Table(), u"Firma"), (std::vector<std::u16string>{u"Drei", u"Eins", u"Zwei"}));
    Table().SelectIndex(u"");
    EXPECT_EQ(Column(Table(), u"Firma"), (std::vector<std::u16string>{u"Drei", u"Eins", u"Zwei"}));
}

TEST_F(CustomerRebuildTest, RefusedColumnsLeaveTheTableAsItWas)
{
    const std::string before = ReadWholeFile(dir_.File("customers.dbf"));
    EXPECT_FALSE(customers_.AddnewField(u"Mit Blank", 10));
    EXPECT_FALSE(customers_.AddnewField(u"Lang", 300));
    EXPECT_FALSE(customers_.AddnewField(u"firma", 10));  // a name already there
    ASSERT_EQ(messenger_.Errors().size(), 3u);
    EXPECT_NE(messenger_.Errors()[0].find(u"unzulässiges Zeichen"), std::u16string::npos);
    EXPECT_NE(messenger_.Errors()[2].find(u"doppelt"), std::u16string::npos);
    EXPECT_EQ(ReadWholeFile(dir_.File("customers.dbf")), before);
    EXPECT_FALSE(std::filesystem::exists(dir_.File("customers0.dbf")));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("temp.dbf")));
    EXPECT_EQ(Column(Table(), u"Firma").size(), 3u);
}

TEST_F(CustomerRebuildTest, AFailedFileSwapPutsTheOldTableBack)
{
    // customers0.dbf cannot be removed (a folder with content): nothing may be lost.
    std::filesystem::create_directories(dir_.File("customers0.dbf/inhalt"));
    customers_.ApplyFilter(u"zwei");
    EXPECT_FALSE(customers_.AddnewField(u"Neu", 3));
    ASSERT_EQ(messenger_.Errors().size(), 1u);
    EXPECT_NE(messenger_.Errors()[0].find(u"alle Datensätze sind erhalten"), std::u16string::npos);
    ASSERT_TRUE(Table().Active());
    EXPECT_EQ(Table().FieldCount(), 15);
    EXPECT_TRUE(Table().Filtered());
    customers_.ShowAll();
    EXPECT_EQ(Column(Table(), u"Mehr"), (std::vector<std::u16string>{u"Memo eins\r\nzweite Zeile", u"", u"Memo drei"}));

    // The same with customers0.dbt: nothing has been moved when the failure is found.
    std::filesystem::remove_all(dir_.File("customers0.dbf"));
    std::filesystem::create_directories(dir_.File("customers0.dbt/inhalt"));
    messenger_.Reset();
    EXPECT_FALSE(customers_.AddnewField(u"Neu", 3));
    EXPECT_EQ(messenger_.Errors().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir_.File("customers0.dbf")));
    EXPECT_EQ(Table().FieldCount(), 15);
    EXPECT_EQ(Column(Table(), u"Firma"), (std::vector<std::u16string>{u"Eins", u"Zwei", u"Drei"}));
    EXPECT_EQ(Column(Table(), u"Mehr")[2], u"Memo drei");
}

// A table with a damaged memo in record 3 of 5: the rebuild at start (it lacks "Kostenst")
// asks before copying that record with an empty memo; No leaves every file as it is.
TEST(CustomerRebuildDamagedMemo, AsksBeforeKeepingARecordWithAnEmptyMemo)
{
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "Ja" : "Nein");
        TempDir dir;
        const std::string fixture = std::string(REKOLON_TEST_DATA) + "/dbf-memo-pointer-past-end-in-record-3-of-5";
        WriteWholeFile(dir.File("customers.dbf"), ReadWholeFile(fixture + ".dbf"));
        WriteWholeFile(dir.File("customers.dbt"), ReadWholeFile(fixture + ".dbt"));
        const std::string before = ReadWholeFile(dir.File("customers.dbf"));
        ScriptedMessenger messenger;
        messenger.AnswerNext(yes ? Messenger::Answer::Yes : Messenger::Answer::No);
        CustomerTable customers;
        customers.InitDataBase(dir.Path());
        ASSERT_EQ(messenger.Boxes().size(), 1u);
        EXPECT_EQ(messenger.Boxes()[0].kind, ScriptedMessenger::Kind::Question);
        EXPECT_NE(messenger.Boxes()[0].text.find(u"Nr. 3"), std::u16string::npos);
        EXPECT_EQ(messenger.UnansweredQuestions(), 0);
        EXPECT_FALSE(std::filesystem::exists(dir.File("temp.dbf")));
        EXPECT_FALSE(std::filesystem::exists(dir.File("temp.dbt")));
        DbfTable& table = customers.Dbf1();
        ASSERT_TRUE(table.Active());
        EXPECT_EQ(Column(table, u"Mehr"),
                  (std::vector<std::u16string>{u"Notiz 1 über Tabellen", u"Notiz 2 über Tabellen", u"",
                                               u"Notiz 4 über Tabellen", u"Notiz 5 über Tabellen"}));
        if (yes) {
            EXPECT_GE(table.FieldIndex(u"Kostenst"), 0);
            EXPECT_EQ(ReadWholeFile(dir.File("customers0.dbf")), before);  // the damaged original is kept
        } else {
            EXPECT_LT(table.FieldIndex(u"Kostenst"), 0);
            EXPECT_EQ(ReadWholeFile(dir.File("customers.dbf")), before);
            EXPECT_FALSE(std::filesystem::exists(dir.File("customers0.dbf")));
        }
    }
}

// A DOS table (code page 437) keeps its code page through a rebuild, so its umlauts stay.
TEST(CustomerRebuildCodePage, ARebuiltTableKeepsTheCodePageOfTheOriginal)
{
    TempDir dir;
    const std::string path = dir.File("customers.dbf");
    DbfTable::Create(path, {DbfField::Character(u"Firma", 20), DbfField::Memo(u"Mehr")}, 0x01);
    {
        DbfTable table;
        table.Open(path);
        table.Append();
        table.SetValue(0, u"Müller & Söhne");
        table.SetValue(1, u"Straße");
        table.Post();
    }
    ScriptedMessenger messenger;
    CustomerTable customers;
    customers.InitDataBase(dir.Path());  // adds "Kostenst" by a rebuild
    DbfTable& table = customers.Dbf1();
    ASSERT_GE(table.FieldIndex(u"Kostenst"), 0);
    EXPECT_EQ(table.LanguageDriver(), 0x01);
    EXPECT_EQ(static_cast<uint8_t>(ReadWholeFile(path)[29]), 0x01);
    EXPECT_EQ(Column(table, u"Firma"), (std::vector<std::u16string>{u"Müller & Söhne"}));
    EXPECT_EQ(Column(table, u"Mehr"), (std::vector<std::u16string>{u"Straße"}));
}
