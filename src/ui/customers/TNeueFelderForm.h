#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TNeueFelderForm;
}
class QLineEdit;
class QSpinBox;

// "Feld hinzufügen": the name and length of a new character column. The length keeps its
// last value between uses; closing by the window's close box cancels.
class TNeueFelderForm : public QDialog {
    Q_OBJECT

public:
    explicit TNeueFelderForm(QWidget* parent = nullptr);
    ~TNeueFelderForm() override;

    QLineEdit* Edit1() const;
    QSpinBox* LangEd() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TNeueFelderForm> ui;
};
