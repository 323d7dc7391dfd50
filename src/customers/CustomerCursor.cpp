#include "customers/CustomerCursor.h"

#include "customers/CustomerFieldText.h"
#include "customers/CustomerTable.h"
#include "customers/DamagedMemoWalk.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/Utf8.h"
#include "messages/CustomerMessages.h"

#include <algorithm>

namespace {

void Report(const std::exception& error)
{
    CurrentMessenger().ShowError(Utf8ToUtf16(error.what()));
}

}  // namespace

// ---- observing -----------------------------------------------------------------------------

CustomerCursor::Subscription::Subscription(Subscription&& other) noexcept
    : observers_(std::move(other.observers_)),
      observer_(other.observer_)
{
    other.observer_ = nullptr;
}

CustomerCursor::Subscription& CustomerCursor::Subscription::operator=(Subscription&& other) noexcept
{
    if (this != &other) {
        End();
        observers_ = std::move(other.observers_);
        observer_ = other.observer_;
        other.observer_ = nullptr;
    }
    return *this;
}

CustomerCursor::Subscription::~Subscription()
{
    End();
}

void CustomerCursor::Subscription::End()
{
    if (const auto observers = observers_.lock()) {
        const auto it = std::find(observers->begin(), observers->end(), observer_);
        if (it != observers->end())
            observers->erase(it);
    }
    observers_.reset();
    observer_ = nullptr;
}

CustomerCursor::Subscription CustomerCursor::Observe(Observer& observer)
{
    observers_->push_back(&observer);
    Subscription subscription;
    subscription.observers_ = observers_;
    subscription.observer_ = &observer;
    return subscription;
}

template <typename Call> void CustomerCursor::Notify(Call call)
{
    // Counts the nested tellings; the count goes down again also when an observer throws.
    struct Telling {
        int& depth;
        explicit Telling(int& d) : depth(++d) {}
        ~Telling() { --depth; }
    } const telling(notifying_);
    const std::vector<Observer*> observers = *observers_;  // one may stop observing meanwhile
    for (Observer* observer : observers) {
        if (std::find(observers_->begin(), observers_->end(), observer) != observers_->end())
            call(*observer);
    }
}

// ---- keeping the position ------------------------------------------------------------------

CustomerCursor::KeepPosition::KeepPosition(CustomerCursor& cursor)
    : table_(cursor.Table()),
      recNo_(table_.Active() ? table_.RecNo() : 0)
{
}

CustomerCursor::KeepPosition::~KeepPosition()
{
    if (restored_)
        return;
    try {
        Restore();
    } catch (const std::exception&) {
        // See the declaration: the table stays where the work left it.
    }
}

void CustomerCursor::KeepPosition::Restore()
{
    restored_ = true;
    if (recNo_ != 0 && table_.Active())
        table_.GoTo(recNo_);
}

// ---- the table and its rows ----------------------------------------------------------------

CustomerCursor::CustomerCursor(CustomerTable& customers) : customers_(customers) {}

DbfTable& CustomerCursor::Table() const
{
    return customers_.Dbf1();
}

void CustomerCursor::SetProgress(CustomerProgress progress)
{
    progress_ = progress;
    customers_.SetProgress(std::move(progress));
}

bool CustomerCursor::Active() const
{
    return Table().Active();
}

CustomerCursor::State CustomerCursor::GetState() const
{
    switch (Table().GetState()) {
    case DbfTable::State::Browse:
        return State::Browse;
    case DbfTable::State::Edit:
        return State::Edit;
    case DbfTable::State::Insert:
        return State::Insert;
    case DbfTable::State::Inactive:
        break;
    }
    return State::Closed;
}

const CustomerColumns& CustomerCursor::Columns() const
{
    static const CustomerColumns none;
    return Active() ? Table().Fields() : none;
}

int CustomerCursor::ColumnCount() const
{
    return Active() ? Table().FieldCount() : 0;
}

std::u16string CustomerCursor::Value(int column) const
{
    return Table().Value(column);
}

int CustomerCursor::RowCount() const
{
    return static_cast<int>(rows_.size()) + (insertRow_ ? 1 : 0);
}

bool CustomerCursor::IsInsertRow(int row) const
{
    return insertRow_ && row == static_cast<int>(rows_.size());
}

uint32_t CustomerCursor::RecNoAt(int row) const
{
    return row >= 0 && size_t(row) < rows_.size() ? rows_[size_t(row)] : 0;
}

int CustomerCursor::RowOf(uint32_t recNo) const
{
    const auto it = std::find(rows_.begin(), rows_.end(), recNo);
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

int CustomerCursor::CurrentRow() const
{
    if (insertRow_)
        return RowCount() - 1;
    return Active() && Table().RecNo() != 0 ? RowOf(Table().RecNo()) : -1;
}

std::u16string CustomerCursor::RowValue(int row, int column) const
{
    const DbfTable& table = Table();
    if (!table.Active() || column < 0 || column >= table.FieldCount())
        return {};
    const uint32_t recNo = RecNoAt(row);
    const bool editedHere = recNo != 0 && recNo == table.RecNo() && table.GetState() != DbfTable::State::Browse;
    if (IsInsertRow(row) || editedHere)
        return table.Value(column);
    return recNo != 0 ? table.ValueAt(recNo, column) : std::u16string();
}

bool CustomerCursor::ColumnEditable(int column) const
{
    const DbfTable& table = Table();
    return table.Active() && column >= 0 && column < table.FieldCount() && !table.Field(column).IsMemo() &&
           !table.CutOff();
}

void CustomerCursor::WalkRows()
{
    Notify([](Observer& observer) { observer.RowsAboutToReset(); });
    rows_.clear();
    insertRow_ = false;
    DbfTable& table = Table();
    if (table.Active()) {
        try {
            KeepPosition keep(*this);
            for (table.First(); !table.Eof(); table.Next())
                rows_.push_back(table.RecNo());
            keep.Restore();
        } catch (const IoError&) {
            // A damaged record ends the rows; a window reports the error when it reads it.
        }
    }
    Notify([](Observer& observer) { observer.RowsReset(); });
}

void CustomerCursor::ShowInsertRow()
{
    if (insertRow_)
        return;
    Notify([](Observer& observer) { observer.InsertRowAboutToShow(); });
    insertRow_ = true;
    Notify([](Observer& observer) { observer.InsertRowShown(); });
}

void CustomerCursor::Reload(bool toLast)
{
    try {
        if (toLast && Active())
            Table().Last();  // where a walk over the records ends
    } catch (const IoError& error) {
        Report(error);
    }
    WalkRows();
    ShowCurrent();
}

void CustomerCursor::ShowCurrent()
{
    Notify([](Observer& observer) { observer.CurrentChanged(); });
}

// ---- navigating and storing ----------------------------------------------------------------

bool CustomerCursor::PostIfEditing()
{
    DbfTable& table = Table();
    if (!table.Active() || table.GetState() == DbfTable::State::Browse)
        return true;
    const bool inserting = table.GetState() == DbfTable::State::Insert;
    try {
        table.Post();
    } catch (const IoError& error) {
        Report(error);
        return false;
    }
    if (inserting || !table.ActiveIndex().empty())
        WalkRows();  // a new row, or the record moved in the order
    else
        Notify([](Observer& observer) { observer.CurrentValuesChanged(nullptr); });
    return true;
}

void CustomerCursor::PostOrCancel()
{
    if (GetState() != State::Closed && GetState() != State::Browse && !PostIfEditing())
        Click(Cancel);
}

void CustomerCursor::MoveToRow(int row)
{
    DbfTable& table = Table();
    if (notifying_ > 0 || !table.Active())
        return;
    if (IsInsertRow(row) && table.GetState() == DbfTable::State::Insert)
        return;
    const uint32_t target = RecNoAt(row);  // before storing, which may walk the rows anew
    if (PostIfEditing() && target != 0) {
        try {
            table.GoTo(target);
        } catch (const IoError& error) {
            Report(error);
        }
    }
    ShowCurrent();  // on the record that could not be stored, too
}

void CustomerCursor::Click(Button button)
{
    DbfTable& table = Table();
    if (!table.Active())
        return;
    if ((button == Insert || button == Delete || button == Edit) && !RepairBeforeChange())
        return;
    try {
        switch (button) {
        case First:
        case Prior:
        case Next:
        case Last:
            if (!PostIfEditing())
                return;
            if (button == First)
                table.First();
            else if (button == Prior)
                table.Prior();
            else if (button == Next)
                table.Next();
            else
                table.Last();
            break;
        case Insert:
            if (!PostIfEditing())
                return;
            table.Insert();
            ShowInsertRow();
            break;
        case Delete:
            if (table.GetState() == DbfTable::State::Insert) {
                table.Cancel();
                WalkRows();
                break;
            }
            if (table.IsEmpty())
                return;
            if (CurrentMessenger().AskQuestion(std::u16string(CustomerMessages::kDeleteQuestion),
                                               std::u16string(CustomerMessages::kWindowTitle)) !=
                Messenger::Answer::Yes)
                return;
            table.Delete();
            WalkRows();
            break;
        case Edit:
            if (!table.IsEmpty())
                table.Edit();
            break;
        case Post:
            PostIfEditing();
            break;
        case Cancel:
            table.Cancel();
            WalkRows();
            break;
        case Refresh:
            if (!PostIfEditing())
                return;
            WalkRows();
            break;
        default:
            return;
        }
    } catch (const IoError& error) {
        Report(error);
    }
    ShowCurrent();
}

CustomerCursor::Buttons CustomerCursor::Enabled(int row) const
{
    const DbfTable& table = Table();
    const bool active = table.Active();
    const bool browsing = active && table.GetState() == DbfTable::State::Browse;
    const int rows = RowCount();
    const bool hasRecord = active && (!table.IsEmpty() || table.GetState() == DbfTable::State::Insert);
    Buttons enabled{};
    enabled[First] = hasRecord && row > 0;
    enabled[Prior] = hasRecord && row > 0;
    enabled[Next] = hasRecord && row >= 0 && row < rows - 1;
    enabled[Last] = hasRecord && row >= 0 && row < rows - 1;
    enabled[Insert] = active;
    enabled[Delete] = hasRecord;
    enabled[Edit] = browsing && hasRecord;
    enabled[Post] = active && !browsing;
    enabled[Cancel] = active && !browsing;
    enabled[Refresh] = active;
    return enabled;
}

// ---- editing -------------------------------------------------------------------------------

bool CustomerCursor::RepairBeforeChange()
{
    if (!Active() || !Table().CutOff())
        return true;
    const bool repaired = customers_.RepairBeforeChange();
    if (progress_)
        progress_(0);
    Reload();  // the records have new numbers
    return repaired;
}

void CustomerCursor::BeginEdit()
{
    DbfTable& table = Table();
    if (table.GetState() != DbfTable::State::Browse)
        return;
    if (table.IsEmpty()) {
        // Typing into an empty table starts a new record.
        table.Append();
        ShowInsertRow();
        ShowCurrent();
        return;
    }
    table.Edit();
}

CustomerCursor::Typed CustomerCursor::Type(int column, std::u16string_view text, const Observer* editor)
{
    DbfTable& table = Table();
    if (column < 0 || !table.Active())
        return Typed::Ignored;
    const bool repairing = table.CutOff();
    if (!RepairBeforeChange())
        return Typed::Refused;
    try {
        BeginEdit();
        table.SetValue(column, text);
    } catch (const IoError& error) {
        Report(error);
    }
    Notify([editor](Observer& observer) { observer.CurrentValuesChanged(editor); });
    return repairing ? Typed::StoredAfterRepair : Typed::Stored;
}

bool CustomerCursor::SetCell(int row, int column, std::u16string_view text, const Observer* editor)
{
    DbfTable& table = Table();
    if (!table.Active() || column < 0 || column >= table.FieldCount())
        return false;
    const uint32_t recNo = RecNoAt(row);
    if (!IsInsertRow(row) && (recNo == 0 || recNo != table.RecNo()))
        return false;  // a grid edits the current row only
    try {
        table.SetValue(column, CustomerFieldText::ToStore(table.Field(column), text));
    } catch (const IoError& error) {
        // A number, date or logical value that the column cannot hold.
        CurrentMessenger().ShowError(Utf8ToUtf16(error.systemText()));
        return false;
    }
    Notify([editor](Observer& observer) { observer.CurrentValuesChanged(editor); });
    return true;
}

// ---- search and order ----------------------------------------------------------------------

void CustomerCursor::Search(std::u16string_view text)
{
    // Every search line shows the text at once, even when the edit cannot be stored.
    const std::u16string typed(text);
    Notify([&typed](Observer& observer) { observer.SearchTextChanged(typed); });
    if (!PostIfEditing())
        return;
    // The search reads every record; memos it could not read are named when it is done.
    DamagedMemoWalk damaged(Table());
    try {
        customers_.ApplyFilter(text);
    } catch (const IoError& error) {
        Report(error);
    }
    Reload();
    if (!customers_.FilterText().empty()) {
        damaged.TakeAll();
        if (!damaged.Records().empty())
            CurrentMessenger().ShowError(std::u16string(CustomerMessages::kSearchWentOn) + damaged.Report());
    }
}

void CustomerCursor::ShowAll()
{
    if (!PostIfEditing())
        return;
    try {
        customers_.ShowAll();
    } catch (const IoError& error) {
        Report(error);
    }
    Notify([](Observer& observer) { observer.SearchTextChanged(std::u16string()); });
    Reload();
}

const std::u16string& CustomerCursor::FilterText() const
{
    return customers_.FilterText();
}

void CustomerCursor::SortBy(int column)
{
    DbfTable& table = Table();
    if (!table.Active() || column < 0 || column >= table.FieldCount() || !PostIfEditing())
        return;
    customers_.SortByColumn(table.Field(column).name);  // errors (a memo column) are ignored
    Reload();
}
