#include "ui/shared/TableSelection.h"

#include "ui/shared/FunctionTableModel.h"

#include <QItemSelectionModel>
#include <QTableView>

int SelectedTableRow(const QTableView* view)
{
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void SelectTableRow(QTableView* view, int row)
{
    if (row < 0 || row >= view->model()->rowCount())
        return;
    const QModelIndex index = view->model()->index(row, 0);
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
}

void RefreshKeepingRow(QTableView* view, FunctionTableModel& model, bool reset)
{
    const int selected = SelectedTableRow(view);
    const int remembered = selected < 0 ? 0 : selected;
    if (reset)
        model.Rebuild();
    else
        model.Refresh();
    const int rows = model.rowCount();
    if (SelectedTableRow(view) < 0 && rows > 0)
        SelectTableRow(view, remembered < rows ? remembered : rows - 1);
}
