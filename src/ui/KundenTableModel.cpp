#include "ui/KundenTableModel.h"

#include "customers/CustomerFieldText.h"
#include "dbase/DbfTable.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/Utf8.h"
#include "ui/QtText.h"

#include <algorithm>

KundenTableModel::KundenTableModel(DbfTable& table, QObject* parent) : QAbstractTableModel(parent), table_(table)
{
}

void KundenTableModel::Refresh()
{
    beginResetModel();
    rows_.clear();
    columns_ = 0;
    insertRow_ = false;
    if (table_.Active()) {
        columns_ = table_.FieldCount();
        const uint32_t current = table_.RecNo();
        try {
            for (table_.First(); !table_.Eof(); table_.Next())
                rows_.push_back(table_.RecNo());
            if (current != 0)
                table_.GoTo(current);
        } catch (const IoError&) {
            // A damaged record ends the list; the form reports the error when it reads it.
        }
    }
    endResetModel();
}

void KundenTableModel::SetInsertRow(bool shown)
{
    if (shown == insertRow_)
        return;
    const int row = static_cast<int>(rows_.size());
    if (shown) {
        beginInsertRows(QModelIndex(), row, row);
        insertRow_ = true;
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), row, row);
        insertRow_ = false;
        endRemoveRows();
    }
}

uint32_t KundenTableModel::RecNoAt(int row) const
{
    return row >= 0 && size_t(row) < rows_.size() ? rows_[size_t(row)] : 0;
}

int KundenTableModel::RowOf(uint32_t recNo) const
{
    const auto it = std::find(rows_.begin(), rows_.end(), recNo);
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

int KundenTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size()) + (insertRow_ ? 1 : 0);
}

int KundenTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant KundenTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !table_.Active() || index.column() >= table_.FieldCount())
        return {};
    const DbfField& field = table_.Field(index.column());
    if (role == Qt::TextAlignmentRole && CustomerFieldText::RightAligned(field))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole)
        return {};
    const uint32_t recNo = RecNoAt(index.row());
    const bool editing = table_.GetState() != DbfTable::State::Browse;
    const bool current = (recNo != 0 && recNo == table_.RecNo()) || (recNo == 0 && insertRow_);
    try {
        std::u16string value;
        if (current && (editing || recNo == 0))
            value = table_.Value(index.column());
        else if (recNo != 0)
            value = table_.ValueAt(recNo, index.column());
        QString text = ToQString(CustomerFieldText::Shown(field, value));
        if (field.IsMemo()) {
            if (role == Qt::ToolTipRole)
                return text.replace("\r\n", "\n");
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
        return RecNoAt(section) == 0 ? QVariant(QStringLiteral("*")) : QVariant();
    if (!table_.Active() || section >= table_.FieldCount())
        return {};
    return ToQString(table_.Field(section).name);
}

Qt::ItemFlags KundenTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    // A damaged table is changed through the edit panel, which writes it anew first.
    if (index.isValid() && table_.Active() && index.column() < table_.FieldCount()
        && !table_.Field(index.column()).IsMemo() && !table_.CutOff())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool KundenTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !table_.Active())
        return false;
    const uint32_t recNo = RecNoAt(index.row());
    const bool current = (recNo != 0 && recNo == table_.RecNo()) || (recNo == 0 && insertRow_);
    if (!current)
        return false;
    try {
        table_.SetValue(index.column(), CustomerFieldText::ToStore(table_.Field(index.column()), ToU16(value.toString())));
    } catch (const IoError& error) {
        // A number, date or logical value that the column cannot hold.
        CurrentMessenger().ShowError(Utf8ToUtf16(error.systemText()));
        return false;
    }
    Q_EMIT dataChanged(index, index);
    Q_EMIT CellEdited(index.row(), index.column());
    return true;
}
