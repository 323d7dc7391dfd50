// Opening or creating the customer table, the search filter, sorting, the edit panel's
// binding and value lists.
#include "customers/CustomerTable.h"
#include "customers/CustomerEditBinding.h"
#include "customers/CustomerFilter.h"
#include "customers/CustomerTestTables.h"
#include "customers/CustomerValueLists.h"
#include "foundation/IoError.h"
#include "foundation/PathText.h"
#include "support/FileRightsApply.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"
#include "support/Watchdog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

TEST(CustomerTable, FirstStartCreatesTheFifteenStandardColumns)
{
    TempDir dir;
    ScriptedMessenger messenger;
    CustomerTable customers;
    EXPECT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::Created);
    const DbfTable& table = customers.Dbf1();
    ASSERT_TRUE(table.Active());
    EXPECT_EQ(
        Names(table.Fields()),
        (std::vector<std::u16string>{u"Firma", u"Name", u"Vorname", u"Anrede", u"StrasseNr", u"PLZ", u"Ort", u"Land",
                                     u"Telefon", u"Fax", u"Handy", u"Email", u"Mehr", u"Kundennr", u"Kostenst"}));
    for (const DbfField& f : table.Fields()) {
        if (f.name == u"Mehr")
            EXPECT_TRUE(f.IsMemo());
        else
            EXPECT_EQ(f, DbfField::Character(f.name, f.name == u"PLZ" ? 10 : 45));
    }
    EXPECT_EQ(table.Version(), 0x8B);
    EXPECT_TRUE(messenger.Boxes().empty());

    CustomerTable again;
    EXPECT_EQ(again.InitDataBase(dir.Path()), CustomerTable::InitResult::Opened);
}

TEST(CustomerTable, AFourteenColumnTableGetsKostenstKeepingEveryRecord)
{
    TempDir dir;
    ScriptedMessenger messenger;
    std::vector<DbfField> old = CustomerSchema::StandardFields();
    old.pop_back();
    FillCustomers(dir.File("customers.dbf"), old,
                  {{{u"Firma", u"Alt GmbH"}, {u"Mehr", u"Zeile 1\r\nZeile 2"}, {u"Kundennr", u"K-1"}},
                   {{u"Firma", u"Zweite"}, {u"Ort", u"Ulm"}}});
    CustomerTable customers;
    EXPECT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::Opened);
    DbfTable& table = customers.Dbf1();
    ASSERT_EQ(table.FieldCount(), 15);
    EXPECT_EQ(table.Field(14), DbfField::Character(u"Kostenst", 45));
    EXPECT_EQ(Column(table, u"Firma"), (std::vector<std::u16string>{u"Alt GmbH", u"Zweite"}));
    EXPECT_EQ(Column(table, u"Mehr"), (std::vector<std::u16string>{u"Zeile 1\r\nZeile 2", u""}));
    EXPECT_EQ(Column(table, u"Kostenst"), (std::vector<std::u16string>{u"", u""}));
    EXPECT_TRUE(messenger.Boxes().empty());
    DbfTable before;
    before.Open(dir.File("customers0.dbf"));
    EXPECT_EQ(before.FieldCount(), 14);
}

TEST(CustomerTable, AnExistingTableThatCannotBeOpenedIsNeverReplaced)
{
    TempDir dir;
    ScriptedMessenger messenger;
    const std::string damaged =
        ReadWholeFile(std::string(REKOLON_TEST_DATA) + "/dbf-record-length-not-matching-fields.dbf");
    WriteWholeFile(dir.File("customers.dbf"), damaged);
    WriteWholeFile(dir.File("customers.dbt"), "memo bytes");
    CustomerTable customers;
    EXPECT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::OpenFailed);
    EXPECT_FALSE(customers.Dbf1().Active());
    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_NE(messenger.Errors()[0].find(u"nicht geöffnet"), std::u16string::npos);
    EXPECT_NE(messenger.Errors()[0].find(u"Satzlänge"), std::u16string::npos);
    EXPECT_EQ(ReadWholeFile(dir.File("customers.dbf")), damaged);
    EXPECT_EQ(ReadWholeFile(dir.File("customers.dbt")), "memo bytes");
    EXPECT_FALSE(customers.AddnewField(u"Neu", 5));
}

TEST(CustomerTable, CreationFailureInAMissingFolderLeavesNoData)
{
    ScriptedMessenger messenger;
    CustomerTable customers;
    EXPECT_EQ(customers.InitDataBase("/nonexistent-rekolon-folder/"), CustomerTable::InitResult::CreateFailed);
    EXPECT_FALSE(customers.Dbf1().Active());
}

TEST(CustomerTable, APipeInPlaceOfTheTableOrItsMemoIsRefusedAtOnceAndLeftAsItIs)
{
    // A pipe that nobody writes to would block an ordinary open for ever. The memo pipe is
    // also given without write permission, which sends the open down its read-only path.
    const Watchdog watchdog(20, "customer table in place of a pipe");
    for (const char* pipeName : {"customers.dbf", "customers.dbt"}) {
        TempDir dir;
        ScriptedMessenger messenger;
        FillCustomers(dir.File("customers.dbf"), CustomerSchema::StandardFields(), {{{u"Firma", u"Eins"}}});
        std::filesystem::remove(dir.File(pipeName));
        ASSERT_EQ(mkfifo(dir.File(pipeName).c_str(), 0444), 0);
        const FileRightsApply rights;  // so that root, too, opens the read-only pipe read-only
        CustomerTable customers;
        EXPECT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::OpenFailed) << pipeName;
        EXPECT_FALSE(customers.Dbf1().Active());
        ASSERT_EQ(messenger.Errors().size(), 1u) << pipeName;
        EXPECT_NE(messenger.Errors()[0].find(PathToText(dir.File(pipeName))), std::u16string::npos);
        EXPECT_NE(messenger.Errors()[0].find(u"Keine gewöhnliche Datei"), std::u16string::npos);
        EXPECT_TRUE(std::filesystem::is_fifo(dir.File(pipeName)));
    }
}

class CustomerSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillCustomers(dir_.File("customers.dbf"), CustomerSchema::StandardFields(),
                      {{{u"Firma", u"Erste"}, {u"Ort", u"Abensberg"}},
                       {{u"Firma", u"Zweite"}, {u"Ort", u"Berlin"}, {u"Mehr", u"siehe Tabelle\r\nunten"}},
                       {{u"Firma", u"Dritte"}, {u"Ort", u"Berlin"}, {u"Name", u"Müller"}},
                       {{u"Firma", u"Vierte"}, {u"Ort", u"berlin"}, {u"Name", u"MÜLLER"}}});
        ASSERT_EQ(customers_.InitDataBase(dir_.Path()), CustomerTable::InitResult::Opened);
    }

    TempDir dir_;
    ScriptedMessenger messenger_;
    CustomerTable customers_;
};

TEST_F(CustomerSearchTest, SearchFoldsPlainLettersOnBothSidesOnly)
{
    DbfTable& table = customers_.Dbf1();
    customers_.ApplyFilter(u"ab");
    EXPECT_EQ(customers_.FilterText(), u"AB");
    EXPECT_TRUE(table.Filtered());
    EXPECT_EQ(Column(table, u"Firma"), (std::vector<std::u16string>{u"Erste", u"Zweite"}));
    customers_.ApplyFilter(u"müller");
    EXPECT_EQ(customers_.FilterText(), u"MüLLER");
    EXPECT_EQ(Column(table, u"Firma"), (std::vector<std::u16string>{u"Dritte"}));
    customers_.ApplyFilter(u"");
    EXPECT_FALSE(table.Filtered());
    EXPECT_EQ(Column(table, u"Firma").size(), 4u);
    customers_.ApplyFilter(u"gibt es nicht");
    EXPECT_TRUE(table.IsEmpty());
    customers_.ShowAll();
    EXPECT_EQ(Column(table, u"Firma").size(), 4u);
}

TEST_F(CustomerSearchTest, ValueListsHoldEachDistinctTextOnceInOrderOfAppearance)
{
    DbfTable& table = customers_.Dbf1();
    const auto visible = [&] {
        std::vector<uint32_t> records;
        for (table.First(); !table.Eof(); table.Next())
            records.push_back(table.RecNo());
        return records;
    };
    const std::vector<uint32_t> all = visible();
    ASSERT_TRUE(table.GoTo(2));
    table.SetValue(u"Ort", u"Passau");  // an edit in progress stays, and so does the record
    EXPECT_EQ(CustomerValueLists::Collect(table, all, 6),
              (std::vector<std::u16string>{u"Abensberg", u"Berlin", u"berlin"}));  // Ort as stored
    EXPECT_EQ(CustomerValueLists::Collect(table, all, 1), (std::vector<std::u16string>{u"", u"Müller", u"MÜLLER"}));
    EXPECT_TRUE(CustomerValueLists::Collect(table, all, 40).empty());  // no such column
    EXPECT_EQ(table.GetState(), DbfTable::State::Edit);
    EXPECT_EQ(table.RecNo(), 2u);
    EXPECT_EQ(table.Value(u"Ort"), u"Passau");
    table.Cancel();
    customers_.ApplyFilter(u"berlin");
    EXPECT_EQ(CustomerValueLists::Collect(table, visible(), 0),
              (std::vector<std::u16string>{u"Zweite", u"Dritte", u"Vierte"}));
}

TEST_F(CustomerSearchTest, SortingByATitleCreatesTheIndexOnceAndOrdersWalks)
{
    DbfTable& table = customers_.Dbf1();
    EXPECT_TRUE(customers_.SortByColumn(u"Firma"));
    EXPECT_TRUE(customers_.SortByColumn(u"Firma"));
    EXPECT_EQ(table.IndexNames(), (std::vector<std::u16string>{u"Firma"}));
    EXPECT_EQ(Column(table, u"Firma"), (std::vector<std::u16string>{u"Dritte", u"Erste", u"Vierte", u"Zweite"}));
    EXPECT_FALSE(customers_.SortByColumn(u"Mehr"));  // a memo: ignored, order unchanged
    EXPECT_EQ(table.ActiveIndex(), u"Firma");
    EXPECT_FALSE(customers_.SortByColumn(u"Fehlt"));
}

TEST(CustomerEditBinding, StandardColumnsAndThirtyCharacterColumns)
{
    CustomerEditBinding binding = CustomerEditBinding::For(CustomerSchema::StandardFields());
    EXPECT_EQ(binding.memoField, 12);
    const std::vector<std::u16string> labels = {u"Firma:", u"Name:",  u"Vorname:",  u"Anrede:",  u"Strassenr:",
                                                u"Plz:",   u"Ort:",   u"Land:",     u"Telefon:", u"Fax:",
                                                u"Handy:", u"Email:", u"Kundennr:", u"Kostenst:"};
    for (size_t k = 0; k < 24; ++k) {
        if (k < labels.size()) {
            EXPECT_EQ(binding.labels[k], labels[k]);
            EXPECT_EQ(binding.comboFields[k], k < 12 ? int(k) : int(k) + 1);
        } else {
            EXPECT_EQ(binding.comboFields[k], -1);
        }
    }

    std::vector<DbfField> wide;
    for (int i = 0; i < 30; ++i) {
        wide.push_back(
            DbfField::Character(u"F" + std::u16string(1, char16_t(u'A' + i / 10)) + char16_t(u'0' + i % 10), 10));
        if (i == 3)
            wide.push_back(DbfField::Memo(u"Mehr"));
    }
    binding = CustomerEditBinding::For(wide);
    EXPECT_EQ(binding.memoField, 4);
    EXPECT_EQ(binding.comboFields[3], 3);
    EXPECT_EQ(binding.comboFields[4], 5);    // the memo is skipped in the count
    EXPECT_EQ(binding.comboFields[23], 24);  // the 24th character column
    EXPECT_EQ(binding.labels[23], u"Fc3:");
    EXPECT_EQ(CustomerEditBinding::LabelForm(u"äBC"), u"äbc:");
    EXPECT_EQ(CustomerEditBinding::LabelForm(u"plz"), u"Plz:");
}

TEST(CustomerTable, ATableCutOffInsideItsLastRecordOpensAndIsWrittenAnewOnlyWhenChanged)
{
    TempDir dir;
    ScriptedMessenger messenger;
    const std::string fixture = std::string(REKOLON_TEST_DATA) + "/dbf-last-record-cut-off";
    const std::string damaged = ReadWholeFile(fixture + ".dbf");
    const std::string memo = ReadWholeFile(fixture + ".dbt");
    WriteWholeFile(dir.File("customers.dbf"), damaged);
    WriteWholeFile(dir.File("customers.dbt"), memo);
    {
        CustomerTable customers;
        EXPECT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::Opened);
        DbfTable& table = customers.Dbf1();
        ASSERT_TRUE(table.Active());
        ASSERT_EQ(messenger.Errors().size(), 1u);
        EXPECT_NE(messenger.Errors()[0].find(u"beschädigt"), std::u16string::npos);
        EXPECT_NE(messenger.Errors()[0].find(u"Von 33 angegebenen Datensätzen sind 32 vollständig"),
                  std::u16string::npos);
        EXPECT_EQ(table.FieldCount(), 3);  // no "Kostenst" while the file is damaged
        const auto firmen = Column(table, u"Firma");
        ASSERT_EQ(firmen.size(), 32u);
        EXPECT_EQ(firmen[31], u"Kunde 32");
        // Browsing, searching and sorting leave the file as it is.
        customers.ApplyFilter(u"kunde 0");
        customers.SortByColumn(u"Ort");
        customers.ShowAll();
        EXPECT_EQ(ReadWholeFile(dir.File("customers.dbf")), damaged);
        EXPECT_THROW(table.Edit(), IoError);

        // The first change writes a sound table and keeps the damaged one as customers0.*;
        // the record the user stands on stays current, whatever the order and search.
        customers.ApplyFilter(u"kunde");
        ASSERT_TRUE(table.GoTo(5));
        ASSERT_TRUE(customers.RepairBeforeChange());
        EXPECT_FALSE(table.CutOff());
        EXPECT_EQ(ReadWholeFile(dir.File("customers0.dbf")), damaged);
        EXPECT_EQ(ReadWholeFile(dir.File("customers0.dbt")), memo);
        EXPECT_EQ(table.Value(u"Firma"), u"Kunde 05");
        EXPECT_TRUE(table.Filtered());
        customers.ShowAll();
        ASSERT_TRUE(table.GoTo(5));
        table.SetValue(u"Ort", u"Regensburg");
        table.Post();
        EXPECT_TRUE(customers.RepairBeforeChange());  // nothing more to do
        EXPECT_EQ(table.ActiveIndex(), u"Ort");
        table.SelectIndex(u"");
        EXPECT_EQ(Column(table, u"Firma"), firmen);
        EXPECT_EQ(Column(table, u"Mehr")[31], u"Memo von Kunde 32\r\nzweite Zeile");
    }
    // The next start finds a sound table and brings it up to the standard columns.
    messenger.Reset();
    CustomerTable again;
    EXPECT_EQ(again.InitDataBase(dir.Path()), CustomerTable::InitResult::Opened);
    EXPECT_TRUE(messenger.Boxes().empty());
    EXPECT_EQ(again.Dbf1().PhysicalRecordCount(), 32u);
    EXPECT_EQ(again.Dbf1().AnnouncedRecordCount(), 32u);
    EXPECT_EQ(again.Dbf1().Field(3).name, u"Kostenst");
    EXPECT_EQ(Column(again.Dbf1(), u"Ort")[4], u"Regensburg");
    EXPECT_EQ(Column(again.Dbf1(), u"Mehr")[0], u"Memo von Kunde 01");
}
