#pragma once

#include <QItemSelectionModel>
#include <QTableView>

class FunctionTableModel;

// The single selected row of a list in report style (whole rows, one at a time).
// −1 when no row is selected.
int SelectedTableRow(const QTableView* view);
// Selects the row, makes it current and scrolls it into view; a row outside the list is
// ignored.
void SelectTableRow(QTableView* view, int row);

// Rebuilds the list (reset: rows added, removed or reordered) or refreshes it in place; when
// no row is selected afterwards, selects the row selected before (0 when none) or the last.
void RefreshKeepingRow(QTableView* view, FunctionTableModel& model, bool reset);

// Calls `handler` whenever the selected row changes. The selection, not the current index,
// drives it: a mouse press makes the clicked row current before it selects it, so a handler
// run on the current row's change would still read the row selected before.
template <class Receiver, class Handler>
void OnSelectedRowChanged(QTableView* view, Receiver* receiver, Handler handler)
{
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, receiver, handler);
}
