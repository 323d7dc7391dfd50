#include "ui/AusgabePage.h"

#include "ui_AusgabePage.h"

AusgabePage::AusgabePage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::AusgabePage>())
{
    ui->setupUi(this);
    ui->ArtCombo->setCurrentIndex(0);
    connect(ui->ArtCombo, &QComboBox::currentIndexChanged, this, &AusgabePage::DocumentKindChanged);
}

AusgabePage::~AusgabePage() = default;

int AusgabePage::DocumentKind() const
{
    return ui->ArtCombo->currentIndex();
}
