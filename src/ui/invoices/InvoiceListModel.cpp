#include "ui/invoices/InvoiceListModel.h"

#include "invoices/RechnungList.h"
#include "invoices/TRechnungBook.h"

#include <QRegularExpression>

#include <array>

namespace {

const std::array<const char*, kRechnungColumns> kCaptions = {
    "Datum", "Anrede",  "Firma",  "Name",   "Vorname", "Zusatz", "Straße", "Land",         "PLZ",
    "Ort",   "Bezahlt", "ReNr.",  "Text",   "Tel",     "FAX",    "eMail",  "Anrede",       "Firma",
    "Name",  "Vorname", "Zusatz", "Straße", "Land",    "PLZ",    "Ort",    "Bestelldatum", "Ihre Bestellung"};

}

InvoiceListModel::InvoiceListModel(TRechnungBook& book, std::u16string dateFormat, QObject* parent)
    : QAbstractTableModel(parent),
      book_(book),
      dateFormat_(std::move(dateFormat))
{
}

int InvoiceListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(book_.RechnungCount());
}

int InvoiceListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kRechnungColumns;
}

QVariant InvoiceListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const std::u16string text =
        RechnungColumnText(book_.Rechnung(static_cast<uint32_t>(index.row())), index.column(), dateFormat_);
    // Multi-line texts show their first line, as a list row has one line.
    QString shown = QString::fromStdU16String(text);
    static const QRegularExpression lineBreak(QStringLiteral("[\r\n]"));
    const qsizetype lineEnd = shown.indexOf(lineBreak);
    if (lineEnd >= 0)
        shown = shown.left(lineEnd) + QStringLiteral(" …");
    return shown;
}

QVariant InvoiceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < kRechnungColumns)
        return QString::fromUtf8(kCaptions[static_cast<size_t>(section)]);
    if (orientation == Qt::Vertical)
        return section + 1;
    return {};
}

void InvoiceListModel::Rebuild()
{
    beginResetModel();
    endResetModel();
}

void InvoiceListModel::RefreshRow(int row)
{
    if (row >= 0 && row < rowCount())
        Q_EMIT dataChanged(index(row, 0), index(row, kRechnungColumns - 1));
}
