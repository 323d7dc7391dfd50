#pragma once

#include "ui/invoices/FillingFlag.h"

#include <QObject>
#include <functional>
#include <optional>

class QComboBox;
class QDoubleSpinBox;

// The rate, gross price and net price fields of an editor (positions or articles). The gross
// price is stored, the net price derived: net = gross × 100 / (rate + 100). Typing a net
// price derives and stores the gross price and leaves the net price as typed; changing the
// rate keeps the gross price and derives the net price. A rate that does not read as a
// number skips what depends on it; the guards are released in every case.
class PriceEditor : public QObject {
    Q_OBJECT

public:
    struct Hooks {
        std::function<bool()> hasRecord;         // a record is selected
        std::function<void(double)> storeRate;   // into the selected record
        std::function<void(double)> storeGross;  // into the selected record
        std::function<void()> rebuild;           // the list after a change
    };

    PriceEditor(QComboBox* rate, QDoubleSpinBox* gross, QDoubleSpinBox* net, FillingFlag& inCH,
                char16_t decimalSeparator, Hooks hooks, QObject* parent = nullptr);

    // Shows a record's rate and gross price and the derived net price (the caller holds inCH).
    void Load(double mwst, double preis);

    void GrossChanged();
    void NetChanged();
    void RateChanged();

    // True while a typed net price is being turned into the gross price ("inchnetto").
    bool ConvertingNet() const { return inchnetto_; }

private:
    void ShowNet(double net);
    std::optional<double> Rate() const;

    QComboBox* rate_;
    QDoubleSpinBox* gross_;
    QDoubleSpinBox* net_;
    FillingFlag& inCH_;
    bool inchnetto_ = false;
    char16_t separator_;
    Hooks hooks_;
};
