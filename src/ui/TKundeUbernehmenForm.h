#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TKundeUbernehmenForm;
}

// Picks a customer whose address goes into the current invoice.
class TKundeUbernehmenForm : public QDialog {
    Q_OBJECT

public:
    explicit TKundeUbernehmenForm(QWidget* parent = nullptr);
    ~TKundeUbernehmenForm() override;

private:
    std::unique_ptr<Ui::TKundeUbernehmenForm> ui;
};
