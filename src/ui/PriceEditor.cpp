#include "ui/PriceEditor.h"

#include "invoices/Amounts.h"
#include "invoices/NumberText.h"
#include "invoices/TRechnungBook.h"
#include "ui/QtText.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>

namespace {

// Sets a flag for the lifetime of the guard and restores it, whatever happens.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = old_; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
    bool old_;
};

}

PriceEditor::PriceEditor(QComboBox* rate, QDoubleSpinBox* gross, QDoubleSpinBox* net, TRechnungBook& book,
                         char16_t decimalSeparator, Hooks hooks, QObject* parent)
    : QObject(parent), rate_(rate), gross_(gross), net_(net), book_(book), separator_(decimalSeparator),
      hooks_(std::move(hooks))
{
    connect(gross_, &QDoubleSpinBox::valueChanged, this, &PriceEditor::GrossChanged);
    connect(net_, &QDoubleSpinBox::valueChanged, this, &PriceEditor::NetChanged);
    connect(rate_, &QComboBox::editTextChanged, this, &PriceEditor::RateChanged);
}

std::optional<double> PriceEditor::Rate() const
{
    return ReadRate(ToU16(rate_->currentText()), separator_);
}

void PriceEditor::ShowNet(double net)
{
    // The derived price is shown only; it must not run the net price's own handler.
    const QSignalBlocker blocker(net_);
    net_->setValue(net);
}

void PriceEditor::Load(double mwst, double preis)
{
    const QSignalBlocker blockRate(rate_);
    const QSignalBlocker blockGross(gross_);
    rate_->setEditText(ToQString(FormatFixed2(mwst, separator_)));
    gross_->setValue(preis);
    const std::optional<double> net = NettoPreis(gross_->value(), mwst);
    ShowNet(net ? *net : 0.0);
}

void PriceEditor::GrossChanged()
{
    if (book_.inCH || !hooks_.hasRecord())
        return;
    FlagGuard guard(book_.inCH);
    hooks_.storeGross(gross_->value());
    if (!book_.inchnetto) {
        if (const std::optional<double> r = Rate()) {
            if (const std::optional<double> net = NettoPreis(gross_->value(), *r))
                ShowNet(*net);
        }
    }
    hooks_.rebuild();
}

void PriceEditor::NetChanged()
{
    if (book_.inCH)
        return;
    const std::optional<double> r = Rate();
    if (!r)
        return;
    FlagGuard guard(book_.inchnetto);
    gross_->setValue(BruttoPreis(net_->value(), *r));
}

void PriceEditor::RateChanged()
{
    if (book_.inCH || !hooks_.hasRecord())
        return;
    FlagGuard guard(book_.inCH);
    if (const std::optional<double> r = Rate()) {
        hooks_.storeRate(*r);
        if (const std::optional<double> net = NettoPreis(gross_->value(), *r))
            ShowNet(*net);
    }
    hooks_.rebuild();
}
