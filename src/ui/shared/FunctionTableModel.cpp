#include "ui/shared/FunctionTableModel.h"

#include <QRegularExpression>

FunctionTableModel::FunctionTableModel(QStringList headers, RowCount rows, CellText cell, QObject* parent)
    : QAbstractTableModel(parent),
      headers_(std::move(headers)),
      rows_(std::move(rows)),
      cell_(std::move(cell))
{
    shownRows_ = rows_();
}

int FunctionTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shownRows_;
}

int FunctionTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant FunctionTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= shownRows_)
        return {};
    QString text = cell_(index.row(), index.column());
    // A list row has one line: a multi-line text shows its first line.
    const qsizetype lineEnd = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (lineEnd >= 0)
        text = text.left(lineEnd) + QStringLiteral(" …");
    return text;
}

QVariant FunctionTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section >= 0 && section < headers_.size())
        return headers_[section];
    return {};
}

void FunctionTableModel::Rebuild()
{
    beginResetModel();
    shownRows_ = rows_();
    endResetModel();
}

void FunctionTableModel::Refresh()
{
    if (rows_() != shownRows_) {
        Rebuild();
        return;
    }
    if (shownRows_ > 0)
        Q_EMIT dataChanged(index(0, 0), index(shownRows_ - 1, columnCount() - 1));
}
