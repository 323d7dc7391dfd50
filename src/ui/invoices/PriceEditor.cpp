#include "ui/invoices/PriceEditor.h"

#include "invoices/Amounts.h"
#include "invoices/NumberText.h"
#include "ui/shared/QtText.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>

PriceEditor::PriceEditor(QComboBox* rate, QDoubleSpinBox* gross, QDoubleSpinBox* net, FillingFlag& inCH,
                         char16_t decimalSeparator, Hooks hooks, QObject* parent)
    : QObject(parent),
      rate_(rate),
      gross_(gross),
      net_(net),
      inCH_(inCH),
      separator_(decimalSeparator),
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
    if (inCH_.IsSet() || !hooks_.hasRecord())
        return;
    const ScopedFlag filling = inCH_.Hold();
    hooks_.storeGross(gross_->value());
    if (!inchnetto_) {
        if (const std::optional<double> r = Rate()) {
            if (const std::optional<double> net = NettoPreis(gross_->value(), *r))
                ShowNet(*net);
        }
    }
    hooks_.rebuild();
}

void PriceEditor::NetChanged()
{
    if (inCH_.IsSet())
        return;
    const std::optional<double> r = Rate();
    if (!r)
        return;
    const ScopedFlag converting(inchnetto_);
    gross_->setValue(BruttoPreis(net_->value(), *r));
}

void PriceEditor::RateChanged()
{
    if (inCH_.IsSet() || !hooks_.hasRecord())
        return;
    const ScopedFlag filling = inCH_.Hold();
    if (const std::optional<double> r = Rate()) {
        hooks_.storeRate(*r);
        if (const std::optional<double> net = NettoPreis(gross_->value(), *r))
            ShowNet(*net);
    }
    hooks_.rebuild();
}
