#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TEditTextbauForm;
}

// Edits the name and text of a text block.
class TEditTextbauForm : public QDialog {
    Q_OBJECT

public:
    explicit TEditTextbauForm(QWidget* parent = nullptr);
    ~TEditTextbauForm() override;

private:
    std::unique_ptr<Ui::TEditTextbauForm> ui;
};
