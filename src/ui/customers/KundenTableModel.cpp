#include "ui/customers/KundenTableModel.h"

#include "customers/CustomerFieldText.h"
#include "foundation/IoError.h"
#include "ui/shared/QtText.h"

#include <QTableView>

#include <algorithm>

KundenTableModel::KundenTableModel(CustomerCursor& cursor, QObject* parent)
    : QAbstractTableModel(parent),
      cursor_(cursor),
      columns_(cursor.ColumnCount()),
      subscription_(cursor.Observe(*this))
{
}

void KundenTableModel::RowsAboutToReset()
{
    beginResetModel();
}

void KundenTableModel::RowsReset()
{
    columns_ = cursor_.ColumnCount();
    endResetModel();
}

void KundenTableModel::InsertRowAboutToShow()
{
    const int row = cursor_.RowCount();
    beginInsertRows(QModelIndex(), row, row);
}

void KundenTableModel::InsertRowShown()
{
    endInsertRows();
}

void KundenTableModel::CurrentValuesChanged(const Observer* /*editor*/)
{
    const int row = cursor_.CurrentRow();
    if (row >= 0)
        Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void KundenTableModel::SelectCurrentIn(QTableView& grid) const
{
    const int row = cursor_.CurrentRow();
    QItemSelectionModel* selection = grid.selectionModel();
    if (row < 0) {
        selection->clear();
        return;
    }
    const int column = std::max(0, grid.currentIndex().column());
    const QModelIndex current = index(row, std::min(column, std::max(0, columnCount() - 1)));
    selection->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid.scrollTo(current);
}

int KundenTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cursor_.RowCount();
}

int KundenTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant KundenTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= cursor_.ColumnCount())
        return {};
    const CustomerColumn& column = cursor_.Columns()[size_t(index.column())];
    if (role == Qt::TextAlignmentRole && CustomerFieldText::RightAligned(column))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole)
        return {};
    try {
        QString text = ToQString(CustomerFieldText::Shown(column, cursor_.RowValue(index.row(), index.column())));
        if (column.IsMemo()) {
            if (role == Qt::ToolTipRole)
                return ShownLines(text);
            // The grid shows a memo's first line.
            const qsizetype end = text.indexOf(QLatin1Char('\r'));
            return end < 0 ? text : text.left(end) + QStringLiteral(" …");
        }
        return role == Qt::ToolTipRole ? QVariant() : QVariant(text);
    } catch (const IoError& error) {
        return role == Qt::ToolTipRole ? QVariant(QString::fromUtf8(error.what())) : QVariant(QStringLiteral("⚠"));
    }
}

QVariant KundenTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return cursor_.RecNoAt(section) == 0 ? QVariant(QStringLiteral("*")) : QVariant();
    if (section >= cursor_.ColumnCount())
        return {};
    return ToQString(cursor_.Columns()[size_t(section)].name);
}

Qt::ItemFlags KundenTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    // A damaged table is changed through the edit panel, which writes it anew first.
    if (index.isValid() && cursor_.ColumnEditable(index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool KundenTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    return cursor_.SetCell(index.row(), index.column(), ToU16(value.toString()), this);
}
