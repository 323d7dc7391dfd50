#pragma once

#include "invoices/TRechnungRec.h"

#include <QWidget>

#include <functional>
#include <vector>

class FillingFlag;
class OptionalDateEdit;
class QComboBox;
class QLineEdit;
class QPushButton;
class TRechnungBook;

// The invoice's tab "E-Rechnung": what an electronic invoice needs beyond the printed one
// (date of supply or service period, due date, buyer reference / Leitweg-ID, the buyer's
// VAT identification number, electronic address and country, and the tax category of 0 %
// positions with its exemption reason). Every edit goes into the selected invoice at once,
// as on the other tabs. An empty field stands for its default, which the field shows greyed
// and which follows the invoice's other fields (its date, "Land", "eMail", ...).
class ERechnungRechnungPage : public QWidget {
    Q_OBJECT

public:
    explicit ERechnungRechnungPage(QWidget* parent = nullptr);
    ~ERechnungRechnungPage() override;

    // Connects the tab to the book and the windows' shared inCH; selectedRow gives the
    // invoice list's selected row (−1 for none).
    void Attach(TRechnungBook& book, FillingFlag& inCH, std::function<int()> selectedRow);

    // Shows the invoice of that row (−1: empties the fields) without writing anything back.
    void ShowRechnung(int row);
    // Shows the defaults of the empty fields anew for the selected invoice.
    void ShowProposals();

protected:
    // The defaults follow the settings too, which may have changed on their tabs.
    void showEvent(QShowEvent* event) override;

Q_SIGNALS:
    // The user changed the selected invoice here.
    void Changed();

private:
    void Build();
    void Bind();
    const TRechnungRec* Selected() const;
    // Runs an edit of the selected invoice unless the program itself is filling the fields.
    template <class Edit> void Store(Edit edit);
    void ShowValidity();

    TRechnungBook* book_ = nullptr;
    FillingFlag* inCH_ = nullptr;
    std::function<int()> selectedRow_;

    struct TextBinding {
        QLineEdit* edit;
        TRechnungText field;
    };
    std::vector<TextBinding> texts_;

    OptionalDateEdit* supplyFrom_ = nullptr;
    OptionalDateEdit* supplyTo_ = nullptr;
    OptionalDateEdit* due_ = nullptr;
    QLineEdit* reference_ = nullptr;
    QPushButton* takeReference_ = nullptr;
    QLineEdit* buyerVatId_ = nullptr;
    QLineEdit* buyerAddress_ = nullptr;
    QComboBox* buyerCountry_ = nullptr;
    QComboBox* category_ = nullptr;
    QLineEdit* reason_ = nullptr;
};
