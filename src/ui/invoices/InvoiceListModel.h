#pragma once

#include <QAbstractTableModel>
#include <string>

class TRechnungBook;

// The invoice list over the book's invoice array: row i is invoice i, 27 columns. The model
// reads the records only for the rows the view asks for, so rebuilding the list is a reset
// that costs what the visible rows cost.
class InvoiceListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    InvoiceListModel(TRechnungBook& book, std::u16string dateFormat, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Rebuilds the whole list after invoices were added, removed or reordered.
    void Rebuild();
    // Refreshes one row after its record changed.
    void RefreshRow(int row);

private:
    TRechnungBook& book_;
    std::u16string dateFormat_;
};
