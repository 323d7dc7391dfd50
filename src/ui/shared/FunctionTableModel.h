#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

// A read-only table whose rows and cells come from functions over the program's own arrays,
// so that row i always shows element i. Only the rows the view asks for are read.
class FunctionTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using RowCount = std::function<int()>;
    using CellText = std::function<QString(int row, int column)>;

    FunctionTableModel(QStringList headers, RowCount rows, CellText cell, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // After rows were added, removed or reordered, or the array was replaced: a reset.
    void Rebuild();
    // After values changed in place: the views repaint, selections stay. A changed row count
    // makes it a reset.
    void Refresh();

private:
    QStringList headers_;
    RowCount rows_;
    CellText cell_;
    int shownRows_ = 0;
};
