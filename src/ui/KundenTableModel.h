#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <vector>

class DbfTable;

// The customer grid's model: one row per visible record of the table, in the active order,
// one column per table column titled with its name. The rows are the record numbers of one
// walk (Refresh); values are read from the table when a row is painted. While a new record
// is being entered, it shows as an extra last row.
class KundenTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit KundenTableModel(DbfTable& table, QObject* parent = nullptr);

    // Walks the table again (filter and order apply); the table's current record stays.
    void Refresh();
    // Shows or hides the row of a record being inserted.
    void SetInsertRow(bool shown);
    bool HasInsertRow() const { return insertRow_; }

    uint32_t RecNoAt(int row) const;  // 0 for the insert row or outside
    const std::vector<uint32_t>& RecNos() const { return rows_; }  // of the rows, in order
    int RowOf(uint32_t recNo) const;  // -1 when not shown

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Writes into the edit buffer of the current record (the grid edits the current row).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // A cell was edited in the grid; the form shows the value in its controls.
    void CellEdited(int row, int column);

private:
    DbfTable& table_;
    std::vector<uint32_t> rows_;
    int columns_ = 0;
    bool insertRow_ = false;
};
