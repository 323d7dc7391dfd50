#pragma once

#include "customers/CustomerColumn.h"
#include "customers/CustomerProgress.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CustomerTable;
class DbfTable;

// The customer table as the customer windows browse and edit it: the rows that a grid shows
// (the record numbers of one walk, in the active order, under the search, and an extra last
// row while a new record is entered), the current record, its edit state, and what the ten
// navigator buttons do and when they are enabled. Every window that shows the table binds to
// one cursor and hears of each change through its Observer, so that all show the same rows
// and the same current record. Errors are reported to the user here (CurrentMessenger).
class CustomerCursor {
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };
    using Buttons = std::array<bool, ButtonCount>;
    enum class State { Closed, Browse, Edit, Insert };
    // What became of a value typed into an edit panel.
    enum class Typed {
        Ignored,            // no column, or the table is not open
        Refused,            // the damaged table could not be written anew: nothing changed
        Stored,             // in the record's edit buffer (or an error was reported)
        StoredAfterRepair,  // the same, after the damaged table was written anew
    };

    // What windows and grids hear. Every call comes after the change, except the "About"
    // ones, which come before the rows change, for models that must announce it first.
    class Observer {
    public:
        // The rows are made anew (search, order, records added or removed, other columns).
        virtual void RowsAboutToReset() {}
        virtual void RowsReset() {}
        // A new record is being entered: it shows as an extra last row.
        virtual void InsertRowAboutToShow() {}
        virtual void InsertRowShown() {}
        // The current record's row shows other values. `editor` changed them and shows them
        // already; null when they were stored.
        virtual void CurrentValuesChanged(const Observer* editor) { (void)editor; }
        // The current record or its edit state changed: grids select the current row,
        // panels show its values, navigators enable their buttons anew.
        virtual void CurrentChanged() {}
        // A search was asked for with this text (as typed); the empty text ends it.
        virtual void SearchTextChanged(const std::u16string& text) { (void)text; }

    protected:
        ~Observer() = default;
    };

    // Ends observing when destroyed, also when the cursor has gone first.
    class Subscription {
    public:
        Subscription() = default;
        Subscription(Subscription&& other) noexcept;
        Subscription& operator=(Subscription&& other) noexcept;
        ~Subscription();

    private:
        friend class CustomerCursor;
        void End();
        std::weak_ptr<std::vector<Observer*>> observers_;
        Observer* observer_ = nullptr;
    };

    // Remembers the current record; goes back to it when destroyed, also when the work in
    // between throws, for work that walks the table (exports, printing, counting).
    class KeepPosition {
    public:
        explicit KeepPosition(CustomerCursor& cursor);
        // Goes back unless Restore() ran. Nothing may leave a destructor: a failure there is
        // dropped, since the work's own error is then on its way to be reported.
        ~KeepPosition();
        KeepPosition(const KeepPosition&) = delete;
        KeepPosition& operator=(const KeepPosition&) = delete;
        // Goes back now; raises IoError.
        void Restore();

    private:
        DbfTable& table_;
        uint32_t recNo_;
        bool restored_ = false;
    };

    explicit CustomerCursor(CustomerTable& customers);
    CustomerCursor(const CustomerCursor&) = delete;
    CustomerCursor& operator=(const CustomerCursor&) = delete;

    [[nodiscard]] Subscription Observe(Observer& observer);
    CustomerTable& Customers() { return customers_; }
    // Long work (a damaged table written anew) reports here; 0 when it is done.
    void SetProgress(CustomerProgress progress);

    // The table.
    bool Active() const;
    State GetState() const;
    // The columns; none while the table is not open.
    const CustomerColumns& Columns() const;
    int ColumnCount() const;
    // A value of the current record (of the edit buffer while editing); raises IoError.
    std::u16string Value(int column) const;

    // The rows: record numbers, and the insert row after them while it is shown.
    int RowCount() const;
    const std::vector<uint32_t>& RecNos() const { return rows_; }
    bool HasInsertRow() const { return insertRow_; }
    bool IsInsertRow(int row) const;
    uint32_t RecNoAt(int row) const;  // 0 for the insert row and outside
    int RowOf(uint32_t recNo) const;  // -1 when not shown
    // The row of the current record, -1 when it is not shown.
    int CurrentRow() const;
    // The stored text a row shows in a column: the edit buffer's for the current record while
    // it is edited; empty outside the table. Raises IoError.
    std::u16string RowValue(int row, int column) const;
    // Whether a grid may edit a column: not a memo, and the table not damaged.
    bool ColumnEditable(int column) const;

    // The navigator. Enabled(): the buttons that the state allows with a grid on that row.
    void Click(Button button);
    Buttons Enabled(int row) const;
    // Makes a row's record current (a click into a grid): the edit in progress is stored
    // first; when that fails the record stays current. Ignored while observers are being
    // told of a change (a grid that follows the cursor moves its selection then).
    void MoveToRow(int row);
    // Stores an edit in progress; false when it failed (the user is told).
    bool PostIfEditing();
    // Stores an edit in progress, or drops it when storing fails (a window closes).
    void PostOrCancel();

    // Editing. Type(): a value typed into an edit panel; an empty table gets a new record, a
    // damaged one is written anew first. SetCell(): a value typed into a grid's cell of the
    // current row, in the form the grid shows (CustomerFieldText); false (the user told) when
    // the column cannot hold it.
    Typed Type(int column, std::u16string_view text, const Observer* editor);
    bool SetCell(int row, int column, std::u16string_view text, const Observer* editor);
    // Before any change of the records: a damaged (cut-off) table is written anew; false
    // (the user told) when that failed or the table is not open.
    bool RepairBeforeChange();

    // The search: stores an edit, filters (the text folded a-z; empty: every record) and
    // shows the first visible record. Memos that could not be read are named afterwards.
    void Search(std::u16string_view text);
    void ShowAll();
    const std::u16string& FilterText() const;
    // Sorting by a column (its name names the index); errors are ignored.
    void SortBy(int column);

    // The table changed outside the cursor (a rebuild, an import, other columns): the rows
    // are walked anew and every window shows the current record, after moving to the last
    // record when `toLast` is set.
    void Reload(bool toLast = false);
    // The table was moved outside the cursor: every window shows the current record again.
    void ShowCurrent();

private:
    DbfTable& Table() const;
    void WalkRows();
    void ShowInsertRow();
    void BeginEdit();
    template <typename Call> void Notify(Call call);

    CustomerTable& customers_;
    CustomerProgress progress_;
    std::vector<uint32_t> rows_;
    bool insertRow_ = false;
    int notifying_ = 0;  // observers are being told of a change (nested tellings)
    std::shared_ptr<std::vector<Observer*>> observers_ = std::make_shared<std::vector<Observer*>>();
};
