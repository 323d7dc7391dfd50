#pragma once

#include "customers/CustomerCursor.h"

#include <QAbstractTableModel>

class QTableView;

// A customer grid's model: one row per row of the cursor (the visible records in the active
// order, and the row of a record being inserted), one column per table column titled with
// its name. Values are read from the table when a row is painted; a cell that is edited
// writes into the current record's edit buffer. Every grid over the cursor has a model of
// its own, which follows the cursor's rows.
class KundenTableModel : public QAbstractTableModel, private CustomerCursor::Observer {
    Q_OBJECT

public:
    explicit KundenTableModel(CustomerCursor& cursor, QObject* parent = nullptr);

    // Selects the cursor's current row in a grid over this model (the grid's column stays),
    // or nothing when the current record is not shown.
    void SelectCurrentIn(QTableView& grid) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Writes into the edit buffer of the current record (a grid edits the current row only).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    void RowsAboutToReset() override;
    void RowsReset() override;
    void InsertRowAboutToShow() override;
    void InsertRowShown() override;
    void CurrentValuesChanged(const Observer* editor) override;

    CustomerCursor& cursor_;
    int columns_ = 0;  // as at the last reset, so that the grid's columns change with its rows
    CustomerCursor::Subscription subscription_;
};
