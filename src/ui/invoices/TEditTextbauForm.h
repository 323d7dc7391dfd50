#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TEditTextbauForm;
}

// "Textbaustein bearbeiten": the name and text of a text block. OK keeps the input; the
// dialog has no cancel button, closing the window cancels.
class TEditTextbauForm : public QDialog {
    Q_OBJECT

public:
    explicit TEditTextbauForm(QWidget* parent = nullptr);
    ~TEditTextbauForm() override;

    // Shows the dialog with the given name and text; true with the edited values on OK.
    bool Edit(QString& name, QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TEditTextbauForm> ui;
};
