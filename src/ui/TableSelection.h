#pragma once

class FunctionTableModel;
class QTableView;

// The single selected row of a list in report style (whole rows, one at a time).
// −1 when no row is selected.
int SelectedTableRow(const QTableView* view);
// Selects the row, makes it current and scrolls it into view; a row outside the list is
// ignored.
void SelectTableRow(QTableView* view, int row);

// Rebuilds the list (reset: rows added, removed or reordered) or refreshes it in place; when
// no row is selected afterwards, selects the row selected before (0 when none) or the last.
void RefreshKeepingRow(QTableView* view, FunctionTableModel& model, bool reset);
