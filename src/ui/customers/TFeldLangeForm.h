#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "customers/CustomerColumn.h"

namespace Ui {
class TFeldLangeForm;
}
class QTableWidget;

// "Feldlängen": one row per column with its name and length; the lengths are edited in
// place, in spin boxes from 1 to 254 as dBase allows. Memo rows show nothing.
class TFeldLangeForm : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMinLength = 1;
    static constexpr int kMaxLength = 254;

    explicit TFeldLangeForm(QWidget* parent = nullptr);
    ~TFeldLangeForm() override;

    // Fills the grid: header "Feldname"/"Feldlänge", then a row per column.
    void Fill(const CustomerColumns& fields);
    // The texts of the length column, one per table column.
    std::vector<std::u16string> Lengths() const;
    QTableWidget* StringGrid1() const;

private:
    std::unique_ptr<Ui::TFeldLangeForm> ui;
};
