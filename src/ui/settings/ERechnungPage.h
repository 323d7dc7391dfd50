#pragma once

#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class TRechnungBook;

// The settings tab "E-Rechnung": what an electronic invoice says about the seller beyond the
// company data (VAT identification number, country, bank account, electronic address,
// contact, payment terms, whether invoices carry the GiroCode to pay by scanning),
// Kleinunternehmer, the default profile, and the table that maps the
// positions' units to the codes of UN/ECE Recommendation 20. Every control writes its value
// into the book's settings as it changes. An empty field stands for its default, which the
// field shows greyed (the company name as account holder, ...). IBAN, BIC and USt-IdNr. are
// shown red while their text is no valid one.
class ERechnungPage : public QWidget {
    Q_OBJECT

public:
    explicit ERechnungPage(QWidget* parent = nullptr);
    ~ERechnungPage() override;

    void Attach(TRechnungBook& book);
    // Shows the book's settings in the controls (without writing anything back).
    void ShowSettings();

protected:
    // The defaults follow the company data, which may have changed on their tab.
    void showEvent(QShowEvent* event) override;

private:
    void Build();
    void Bind();
    void ShowProposals();
    void ShowValidity();
    void ShowUnits();
    void StoreUnits();
    void ShowUnitValidity(int row);
    void AddUnitRow();
    void DeleteUnitRow();
    void RestoreDefaultUnits();

    TRechnungBook* book_ = nullptr;
    bool filling_ = false;
    std::vector<std::function<void()>> showers_;

    QLineEdit* ustId_ = nullptr;
    QComboBox* country_ = nullptr;
    QLineEdit* iban_ = nullptr;
    QLineEdit* bic_ = nullptr;
    QLineEdit* holder_ = nullptr;
    QLineEdit* bank_ = nullptr;
    QLineEdit* eAddress_ = nullptr;
    QLineEdit* contactName_ = nullptr;
    QLineEdit* contactTel_ = nullptr;
    QLineEdit* contactMail_ = nullptr;
    QSpinBox* target_ = nullptr;
    QLineEdit* terms_ = nullptr;
    QCheckBox* girocode_ = nullptr;
    QCheckBox* kleinunternehmer_ = nullptr;
    QRadioButton* xrechnung_ = nullptr;
    QRadioButton* en16931_ = nullptr;
    QTableWidget* units_ = nullptr;
    QPushButton* addUnit_ = nullptr;
    QPushButton* deleteUnit_ = nullptr;
    QPushButton* defaultUnits_ = nullptr;
};
