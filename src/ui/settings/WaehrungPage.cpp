#include "ui/settings/WaehrungPage.h"

#include "invoices/TRechnungBook.h"
#include "ui/shared/QtText.h"
#include "ui_WaehrungPage.h"

WaehrungPage::WaehrungPage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::WaehrungPage>())
{
    ui->setupUi(this);
}

WaehrungPage::~WaehrungPage() = default;

void WaehrungPage::Attach(TRechnungBook& book)
{
    book_ = &book;
    connect(ui->WaehrEd, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!filling_)
            book_->settings.WaehrEd = ToU16(text);
    });
}

void WaehrungPage::ShowSettings()
{
    filling_ = true;
    ui->WaehrEd->setText(ToQString(book_->settings.WaehrEd));
    filling_ = false;
}
