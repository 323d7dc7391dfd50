#include "ui/customers/TFeldLangeForm.h"

#include "messages/MessageCatalog.h"
#include "ui/shared/QtText.h"
#include "ui_TFeldLangeForm.h"

#include <QHeaderView>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidgetItem>

namespace {

// The length of a character column is edited in a spin box that allows what dBase allows
// for a new column, 1 to 254.
class LengthDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* spin = new QSpinBox(parent);
        spin->setRange(TFeldLangeForm::kMinLength, TFeldLangeForm::kMaxLength);
        spin->setAlignment(Qt::AlignRight);
        spin->setFrame(false);
        return spin;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        bool ok = false;
        const int length = index.data(Qt::EditRole).toString().toInt(&ok);
        if (ok)
            static_cast<QSpinBox*>(editor)->setValue(length);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        auto* spin = static_cast<QSpinBox*>(editor);
        if (spin->hasAcceptableInput())
            model->setData(index, QString::number(spin->value()), Qt::EditRole);
    }
};

}  // namespace

TFeldLangeForm::TFeldLangeForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TFeldLangeForm>())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->StringGrid1->setHorizontalHeaderLabels({ToQString(MessageText(196)), ToQString(MessageText(197))});
    ui->StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ui->StringGrid1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    ui->StringGrid1->setItemDelegateForColumn(1, new LengthDelegate(ui->StringGrid1));
    setFixedSize(size());
}

TFeldLangeForm::~TFeldLangeForm() = default;

QTableWidget* TFeldLangeForm::StringGrid1() const
{
    return ui->StringGrid1;
}

void TFeldLangeForm::Fill(const CustomerColumns& fields)
{
    QTableWidget* grid = ui->StringGrid1;
    grid->clearContents();
    grid->setRowCount(static_cast<int>(fields.size()));
    for (int row = 0; row < grid->rowCount(); ++row) {
        const CustomerColumn& field = fields[size_t(row)];
        auto* name = new QTableWidgetItem(field.IsMemo() ? QString() : ToQString(field.name));
        name->setFlags(Qt::ItemIsEnabled);  // the fixed first column
        grid->setItem(row, 0, name);
        auto* length = new QTableWidgetItem(field.IsMemo() ? QString() : QString::number(field.length));
        if (field.IsMemo()) {
            length->setFlags(Qt::ItemIsEnabled);
            grid->setItem(row, 1, length);
        } else {
            length->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(row, 1, length);
            grid->openPersistentEditor(length);  // the editor is always shown
        }
    }
}

std::vector<std::u16string> TFeldLangeForm::Lengths() const
{
    QTableWidget* grid = ui->StringGrid1;
    std::vector<std::u16string> lengths;
    for (int row = 0; row < grid->rowCount(); ++row) {
        QTableWidgetItem* item = grid->item(row, 1);
        // What is typed in the open editor counts; a text the spin box does not accept (an
        // emptied field, 0) leaves the length as it was.
        if (auto* spin = item ? qobject_cast<QSpinBox*>(grid->indexWidget(grid->model()->index(row, 1))) : nullptr) {
            if (spin->hasAcceptableInput())
                item->setText(QString::number(spin->value()));
        }
        lengths.push_back(item ? ToU16(item->text()) : std::u16string());
    }
    return lengths;
}
