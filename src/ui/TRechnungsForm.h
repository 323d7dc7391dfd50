#pragma once

#include <QMainWindow>
#include <memory>

namespace Ui {
class TRechnungsForm;
}

// The main window: the invoice book with its tabs for invoices, articles, company settings,
// logo, currency, fonts and text blocks.
class TRechnungsForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TRechnungsForm(QWidget* parent = nullptr);
    ~TRechnungsForm() override;

private:
    std::unique_ptr<Ui::TRechnungsForm> ui;
};
