#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "customers/CustomerColumn.h"

namespace Ui {
class TSortFeldForm;
}
class QListWidget;

// "Felder umsortieren": the column names in a list that the user reorders. nrs holds, for
// each line, the position in the current table of the column shown there.
class TSortFeldForm : public QDialog {
    Q_OBJECT

public:
    explicit TSortFeldForm(QWidget* parent = nullptr);
    ~TSortFeldForm() override;

    void Fill(const CustomerColumns& fields);
    const std::vector<int>& nrs() const { return nrs_; }
    QListWidget* ListBox1() const;

public Q_SLOTS:
    void BitBtn1Click();  // "Nach oben"
    void BitBtn2Click();  // "Nach unten"

private:
    void Swap(int row, int other);

    std::unique_ptr<Ui::TSortFeldForm> ui;
    std::vector<int> nrs_;
};
