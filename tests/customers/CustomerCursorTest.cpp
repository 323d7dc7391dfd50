// The cursor the customer windows share: the rows of one walk, navigation and the buttons
// each state enables, editing through panel and grid, storing and dropping, a record that
// cannot be stored, the damaged table written anew, the search, what observers hear and
// in which order, and the guard that brings the table back to its record.
#include "customers/CustomerCursor.h"
#include "customers/CustomerTable.h"
#include "customers/CustomerTestTables.h"
#include "foundation/IoError.h"
#include "foundation/Utf8.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

namespace {

using Row = std::vector<std::pair<std::u16string, std::u16string>>;

const std::vector<Row> kFour = {{{u"Firma", u"Erste"}, {u"Ort", u"Abensberg"}},
                                {{u"Firma", u"Zweite"}, {u"Ort", u"Berlin"}, {u"Mehr", u"siehe Tabelle"}},
                                {{u"Firma", u"Dritte"}, {u"Ort", u"Berlin"}},
                                {{u"Firma", u"Vierte"}, {u"Ort", u"berlin"}}};

// Writes down what it hears, with the rows the cursor has at that moment.
class Recorder final : public CustomerCursor::Observer {
public:
    explicit Recorder(CustomerCursor& cursor) : cursor_(cursor), subscription_(cursor.Observe(*this)) {}

    std::vector<std::string> events;
    std::function<void()> onCurrent;

    void RowsAboutToReset() override { Note("about", cursor_.RowCount()); }
    void RowsReset() override { Note("reset", cursor_.RowCount()); }
    void InsertRowAboutToShow() override { Note("insert-about", cursor_.RowCount()); }
    void InsertRowShown() override { Note("insert", cursor_.RowCount()); }
    void CurrentValuesChanged(const Observer* editor) override
    {
        events.push_back(editor == this ? "values mine" : editor ? "values other" : "values stored");
    }
    void CurrentChanged() override
    {
        Note("current", cursor_.CurrentRow());
        if (onCurrent)
            onCurrent();
    }
    void SearchTextChanged(const std::u16string& text) override { events.push_back("search " + Utf16ToUtf8(text)); }

private:
    void Note(const std::string& what, int n) { events.push_back(what + " " + std::to_string(n)); }

    CustomerCursor& cursor_;
    CustomerCursor::Subscription subscription_;
};

class CustomerCursorTest : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedMessenger messenger;
    CustomerTable customers;
    CustomerCursor cursor{customers};

    void Open(const std::vector<Row>& rows, const std::vector<DbfField>& fields = CustomerSchema::StandardFields())
    {
        FillCustomers(dir.File("customers.dbf"), fields, rows);
        ASSERT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::Opened);
        cursor.Reload(true);
    }
    DbfTable& Table() { return customers.Dbf1(); }
    std::u16string Firma() { return Table().Value(u"Firma"); }
    std::string Enabled()
    {
        std::string text;
        for (bool on : cursor.Enabled(cursor.CurrentRow()))
            text += on ? '1' : '0';
        return text;
    }
};

TEST_F(CustomerCursorTest, RowsAreTheRecordsOfOneWalkInTheActiveOrderUnderTheSearch)
{
    Open(kFour);
    EXPECT_EQ(cursor.RecNos(), (std::vector<uint32_t>{1, 2, 3, 4}));
    EXPECT_EQ(cursor.CurrentRow(), 3);  // the last record
    EXPECT_EQ(cursor.RowOf(9), -1);
    EXPECT_EQ(cursor.RecNoAt(-1), 0u);
    EXPECT_EQ(cursor.RecNoAt(4), 0u);
    EXPECT_EQ(cursor.RowValue(1, 6), u"Berlin");
    EXPECT_EQ(cursor.RowValue(7, 0), u"");

    cursor.Search(u"ber");  // "Abensberg" and three times Berlin in any case of b-e-r
    EXPECT_EQ(cursor.FilterText(), u"BER");
    EXPECT_EQ(cursor.RecNos(), (std::vector<uint32_t>{1, 2, 3, 4}));
    cursor.Search(u"tabelle");  // found in the memo
    EXPECT_EQ(cursor.RecNos(), (std::vector<uint32_t>{2}));
    EXPECT_EQ(cursor.CurrentRow(), 0);
    cursor.ShowAll();
    EXPECT_TRUE(cursor.FilterText().empty());
    EXPECT_EQ(cursor.RowCount(), 4);

    cursor.SortBy(0);
    EXPECT_EQ(cursor.RecNos(), (std::vector<uint32_t>{3, 1, 4, 2}));  // Dritte, Erste, Vierte, Zweite
    cursor.SortBy(12);                                                // the memo has no index: the order stays
    EXPECT_EQ(cursor.RecNos(), (std::vector<uint32_t>{3, 1, 4, 2}));
    EXPECT_TRUE(messenger.Boxes().empty());
}

TEST_F(CustomerCursorTest, TheNavigatorMovesAndEnablesItsButtonsByRowAndState)
{
    Open({kFour[0], kFour[1], kFour[2]});
    // First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh
    const struct {
        CustomerCursor::Button button;
        int row;
        CustomerCursor::State state;
        const char* enabled;
    } steps[] = {
        {CustomerCursor::First, 0, CustomerCursor::State::Browse, "0011111001"},
        {CustomerCursor::Next, 1, CustomerCursor::State::Browse, "1111111001"},
        {CustomerCursor::Last, 2, CustomerCursor::State::Browse, "1100111001"},
        {CustomerCursor::Prior, 1, CustomerCursor::State::Browse, "1111111001"},
        {CustomerCursor::Edit, 1, CustomerCursor::State::Edit, "1111110111"},
        {CustomerCursor::Post, 1, CustomerCursor::State::Browse, "1111111001"},
        {CustomerCursor::Insert, 3, CustomerCursor::State::Insert, "1100110111"},  // a new last row
        {CustomerCursor::Cancel, 1, CustomerCursor::State::Browse, "1111111001"},
        {CustomerCursor::Refresh, 1, CustomerCursor::State::Browse, "1111111001"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.button);
        cursor.Click(step.button);
        EXPECT_EQ(cursor.CurrentRow(), step.row);
        EXPECT_EQ(cursor.GetState(), step.state);
        EXPECT_EQ(Enabled(), step.enabled);
    }
    EXPECT_EQ(cursor.RowCount(), 3);
    EXPECT_TRUE(messenger.Boxes().empty());
}

TEST_F(CustomerCursorTest, ClosedAndEmptyTablesEnableLittle)
{
    EXPECT_EQ(cursor.GetState(), CustomerCursor::State::Closed);
    EXPECT_EQ(Enabled(), "0000000000");
    cursor.Click(CustomerCursor::Insert);  // nothing happens without a table
    EXPECT_EQ(cursor.RowCount(), 0);
    EXPECT_EQ(cursor.Type(0, u"x", nullptr), CustomerCursor::Typed::Ignored);
    EXPECT_TRUE(cursor.Columns().empty());

    Open({});
    EXPECT_EQ(Enabled(), "0000100001");
    EXPECT_EQ(cursor.Type(-1, u"x", nullptr), CustomerCursor::Typed::Ignored);
    // Typing into an empty table starts a new record.
    EXPECT_EQ(cursor.Type(0, u"Erste", nullptr), CustomerCursor::Typed::Stored);
    EXPECT_EQ(cursor.GetState(), CustomerCursor::State::Insert);
    EXPECT_TRUE(cursor.HasInsertRow());
    EXPECT_EQ(cursor.CurrentRow(), 0);
    EXPECT_EQ(cursor.RowValue(0, 0), u"Erste");
    EXPECT_TRUE(cursor.PostIfEditing());
    EXPECT_EQ(cursor.RecNos(), (std::vector<uint32_t>{1}));
    EXPECT_FALSE(cursor.HasInsertRow());
    EXPECT_EQ(Enabled(), "0000111001");
}

TEST_F(CustomerCursorTest, ObserversHearEachChangeInOrder)
{
    Open({kFour[0], kFour[1]});
    Recorder window(cursor);
    Recorder grid(cursor);
    cursor.Click(CustomerCursor::Insert);
    EXPECT_EQ(window.events, (std::vector<std::string>{"insert-about 2", "insert 3", "current 2"}));
    window.events.clear();
    EXPECT_EQ(cursor.Type(0, u"Neu", &window), CustomerCursor::Typed::Stored);
    EXPECT_EQ(cursor.RowValue(2, 0), u"Neu");
    EXPECT_EQ(window.events, (std::vector<std::string>{"values mine"}));
    EXPECT_EQ(grid.events.back(), "values other");
    window.events.clear();
    cursor.Click(CustomerCursor::Post);  // a new row: the rows are walked anew
    EXPECT_EQ(window.events, (std::vector<std::string>{"about 3", "reset 3", "current 2"}));
    window.events.clear();
    cursor.Click(CustomerCursor::First);
    cursor.Type(1, u"Huber", &window);
    cursor.Click(CustomerCursor::Post);  // file order: the row stays, its values are stored
    EXPECT_EQ(window.events, (std::vector<std::string>{"current 0", "values mine", "values stored", "current 0"}));
    EXPECT_EQ(grid.events.back(), "current 0");
    window.events.clear();
    cursor.Search(u"neu");
    EXPECT_EQ(window.events, (std::vector<std::string>{"search neu", "about 3", "reset 1", "current 0"}));
    window.events.clear();
    cursor.ShowAll();
    EXPECT_EQ(window.events, (std::vector<std::string>{"search ", "about 1", "reset 3", "current 0"}));
}

TEST_F(CustomerCursorTest, ObservingEndsWithTheSubscriptionOrTheCursor)
{
    Open({kFour[0], kFour[1]});
    Recorder staying(cursor);
    {
        Recorder leaving(cursor);
        cursor.ShowCurrent();
        EXPECT_EQ(leaving.events.size(), 1u);
    }
    cursor.ShowCurrent();  // the one that left is not called
    EXPECT_EQ(staying.events.size(), 2u);

    std::optional<Recorder> outliving;
    {
        CustomerCursor other(customers);
        outliving.emplace(other);
        other.ShowCurrent();
    }
    EXPECT_EQ(outliving->events, (std::vector<std::string>{"current -1"}));  // that cursor walked no rows
    outliving.reset();                                                       // its cursor is gone already
}

// A window that follows the cursor moves its grid's selection while it is told; the grid's
// report of that move must not move the cursor again.
TEST_F(CustomerCursorTest, MovingToARowIsIgnoredWhileObserversAreTold)
{
    Open(kFour);
    Recorder window(cursor);
    window.onCurrent = [this] { cursor.MoveToRow(0); };
    cursor.Click(CustomerCursor::Prior);
    EXPECT_EQ(cursor.CurrentRow(), 2);
    EXPECT_EQ(Firma(), u"Dritte");
    window.onCurrent = nullptr;
    cursor.MoveToRow(0);
    EXPECT_EQ(Firma(), u"Erste");

    // An observer that throws while it is told leaves the cursor movable, also when nested.
    int told = 0;
    window.onCurrent = [this, &told] {
        if (++told == 1)
            cursor.ShowCurrent();  // told again from inside
        throw IoError("customers.dbf", "beim Zeichnen");
    };
    EXPECT_THROW(cursor.ShowCurrent(), IoError);
    window.onCurrent = nullptr;
    cursor.MoveToRow(3);
    EXPECT_EQ(Firma(), u"Vierte");
}

TEST_F(CustomerCursorTest, MovingToAnotherRowStoresTheEditEvenWhenTheOrderChanges)
{
    Open(kFour);
    cursor.SortBy(0);  // Dritte, Erste, Vierte, Zweite
    cursor.MoveToRow(0);
    EXPECT_EQ(cursor.Type(0, u"Zzz", nullptr), CustomerCursor::Typed::Stored);
    EXPECT_EQ(cursor.GetState(), CustomerCursor::State::Edit);
    EXPECT_EQ(cursor.RowValue(0, 0), u"Zzz");     // the edit buffer
    EXPECT_EQ(Table().ValueAt(3, 0), u"Dritte");  // not stored yet
    cursor.MoveToRow(1);                          // Erste, found before the order changed
    EXPECT_EQ(cursor.GetState(), CustomerCursor::State::Browse);
    EXPECT_EQ(Firma(), u"Erste");
    EXPECT_EQ(cursor.CurrentRow(), 0);
    EXPECT_EQ(cursor.RecNos(), (std::vector<uint32_t>{1, 4, 2, 3}));
    EXPECT_EQ(Table().ValueAt(3, 0), u"Zzz");

    cursor.MoveToRow(2);
    cursor.Type(1, u"Verworfen", nullptr);
    cursor.Click(CustomerCursor::Cancel);
    EXPECT_EQ(cursor.RowValue(2, 1), u"");
    EXPECT_EQ(cursor.GetState(), CustomerCursor::State::Browse);
}

TEST_F(CustomerCursorTest, DeletingAsksFirstAndANewRecordIsDroppedWithoutAsking)
{
    Open(kFour);
    cursor.Click(CustomerCursor::First);
    messenger.AnswerNext(Messenger::Answer::No);
    cursor.Click(CustomerCursor::Delete);
    EXPECT_EQ(cursor.RowCount(), 4);
    messenger.AnswerNext(Messenger::Answer::Yes);
    cursor.Click(CustomerCursor::Delete);
    EXPECT_EQ(cursor.RecNos(), (std::vector<uint32_t>{2, 3, 4}));
    EXPECT_EQ(Firma(), u"Zweite");
    EXPECT_EQ(cursor.CurrentRow(), 0);
    ASSERT_EQ(messenger.Boxes().size(), 2u);
    EXPECT_EQ(messenger.Boxes()[0].text, u"Datensatz löschen?");
    EXPECT_EQ(messenger.Boxes()[0].title, u"Kundenverwaltung");

    cursor.Click(CustomerCursor::Insert);
    cursor.Click(CustomerCursor::Delete);
    EXPECT_EQ(cursor.RowCount(), 3);
    EXPECT_EQ(cursor.GetState(), CustomerCursor::State::Browse);
    EXPECT_EQ(messenger.Boxes().size(), 2u);
    EXPECT_EQ(messenger.UnansweredQuestions(), 0);
}

// A full disk: the new record cannot be stored. It stays current wherever the user goes,
// the search waits, and closing drops it.
TEST_F(CustomerCursorTest, ARecordThatCannotBeStoredStaysCurrentUntilItIsDropped)
{
    Open({kFour[0], kFour[1]});
    Recorder window(cursor);
    cursor.Click(CustomerCursor::Insert);
    cursor.Type(0, u"Neu", nullptr);
    {
        const FileSizeLimit full(std::filesystem::file_size(dir.File("customers.dbf")));
        window.events.clear();
        cursor.MoveToRow(0);
        EXPECT_EQ(window.events, (std::vector<std::string>{"current 2"}));
        cursor.Click(CustomerCursor::First);
        cursor.Search(u"erste");
        EXPECT_EQ(cursor.GetState(), CustomerCursor::State::Insert);
        EXPECT_EQ(cursor.CurrentRow(), 2);
        EXPECT_TRUE(cursor.FilterText().empty());
        EXPECT_EQ(window.events.back(), "search erste");  // shown in the search lines all the same
        EXPECT_EQ(messenger.Errors().size(), 3u);
        cursor.PostOrCancel();
        EXPECT_EQ(messenger.Errors().size(), 4u);
    }
    EXPECT_EQ(cursor.GetState(), CustomerCursor::State::Browse);
    EXPECT_EQ(cursor.RowCount(), 2);
    EXPECT_EQ(Table().PhysicalRecordCount(), 2u);
}

TEST_F(CustomerCursorTest, AGridEditsOnlyTheCurrentRowInTheFormItShows)
{
    Open({{{u"Firma", u"Erste"}}, {{u"Firma", u"Zweite"}}},
         {DbfField::Character(u"Firma", 20), {u"Seit", 'D', 8, 0}, DbfField::Memo(u"Mehr")});
    Recorder window(cursor);
    const int seit = Table().FieldIndex(u"Seit");
    EXPECT_FALSE(cursor.SetCell(0, seit, u"1.1.2020", nullptr));  // the last record is current
    EXPECT_TRUE(cursor.SetCell(1, seit, u"5.3.2026", &window));
    EXPECT_EQ(cursor.Value(seit), u"20260305");
    EXPECT_EQ(window.events, (std::vector<std::string>{"values mine"}));
    EXPECT_FALSE(cursor.SetCell(1, seit, u"30.02.2026", nullptr));
    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_NE(messenger.Errors()[0].find(u"\"Seit\""), std::u16string::npos);
    EXPECT_EQ(cursor.Value(seit), u"20260305");
    EXPECT_FALSE(cursor.SetCell(1, 99, u"x", nullptr));

    EXPECT_TRUE(cursor.ColumnEditable(0));
    EXPECT_FALSE(cursor.ColumnEditable(Table().FieldIndex(u"Mehr")));
    EXPECT_FALSE(cursor.ColumnEditable(-1));
    EXPECT_FALSE(cursor.ColumnEditable(cursor.ColumnCount()));
}

TEST_F(CustomerCursorTest, ADamagedTableIsWrittenAnewAtTheFirstTypedValue)
{
    const std::string fixture = std::string(REKOLON_TEST_DATA) + "/dbf-last-record-cut-off";
    const std::string damaged = ReadWholeFile(fixture + ".dbf");
    WriteWholeFile(dir.File("customers.dbf"), damaged);
    WriteWholeFile(dir.File("customers.dbt"), ReadWholeFile(fixture + ".dbt"));
    ASSERT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::Opened);
    std::vector<int> progress;
    cursor.SetProgress([&progress](int percent) { progress.push_back(percent); });
    cursor.Reload();
    ASSERT_EQ(cursor.RowCount(), 32);
    EXPECT_FALSE(cursor.ColumnEditable(0));
    cursor.MoveToRow(4);
    EXPECT_TRUE(cursor.PostIfEditing());  // nothing to store: nothing written
    EXPECT_EQ(ReadWholeFile(dir.File("customers.dbf")), damaged);

    const int ort = Table().FieldIndex(u"Ort");
    EXPECT_EQ(cursor.Type(ort, u"Passau", nullptr), CustomerCursor::Typed::StoredAfterRepair);
    EXPECT_EQ(ReadWholeFile(dir.File("customers0.dbf")), damaged);
    EXPECT_TRUE(cursor.ColumnEditable(0));
    EXPECT_EQ(progress.back(), 0);
    EXPECT_EQ(cursor.CurrentRow(), 4);
    EXPECT_TRUE(cursor.PostIfEditing());
    EXPECT_EQ(cursor.RowValue(4, ort), u"Passau");
    EXPECT_EQ(cursor.RowValue(4, 0), u"Kunde 05");
    EXPECT_EQ(cursor.Type(ort, u"Regen", nullptr), CustomerCursor::Typed::Stored);
    EXPECT_EQ(messenger.Errors().size(), 1u);  // only the report of the damage at the start
}

TEST_F(CustomerCursorTest, KeepPositionBringsTheTableBackAlsoWhenTheWorkThrows)
{
    Open(kFour);
    cursor.MoveToRow(1);
    {
        CustomerCursor::KeepPosition keep(cursor);
        Table().Last();
        keep.Restore();
        EXPECT_EQ(Firma(), u"Zweite");
        Table().First();
    }
    EXPECT_EQ(Firma(), u"Erste");  // restored once: the destructor leaves it where it is
    cursor.MoveToRow(1);
    {
        CustomerCursor::KeepPosition keep(cursor);
        Table().Next();
    }
    EXPECT_EQ(Firma(), u"Zweite");  // without Restore() the destructor goes back
    EXPECT_THROW(
        {
            CustomerCursor::KeepPosition keep(cursor);
            for (Table().First(); !Table().Eof(); Table().Next()) {
                if (Firma() == u"Dritte")
                    throw IoError("customers.dbf", "beim Lesen");
            }
        },
        IoError);
    EXPECT_EQ(Firma(), u"Zweite");

    Table().Close();
    CustomerCursor::KeepPosition closed(cursor);  // no table: nothing to go back to
    EXPECT_NO_THROW(closed.Restore());
}

}  // namespace
