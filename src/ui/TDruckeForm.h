#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TDruckeForm;
}

// Prints customer records.
class TDruckeForm : public QDialog {
    Q_OBJECT

public:
    explicit TDruckeForm(QWidget* parent = nullptr);
    ~TDruckeForm() override;

private:
    std::unique_ptr<Ui::TDruckeForm> ui;
};
