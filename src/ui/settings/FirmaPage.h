#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace Ui {
class FirmaPage;
}
class TRechnungBook;

// The tab "Firma-Grundeinstellungen": company data, page geometry, flags and numbering.
// Every control writes its value into the book's settings as it changes; the file gets them
// at the next save.
class FirmaPage : public QWidget {
    Q_OBJECT

public:
    explicit FirmaPage(QWidget* parent = nullptr);
    ~FirmaPage() override;

    void Attach(TRechnungBook& book);
    // Shows the book's settings in the controls (without writing anything back).
    void ShowSettings();
    // Shows the counter after a new invoice moved it on.
    void ShowCounter();

Q_SIGNALS:
    // "Datenbankverzeichnis einstellen..."
    void BitBtn8Clicked();
    // "Rechnungen aus alter Version übernehmen..."
    void BitBtn3Clicked();

private:
    void Bind();

    std::unique_ptr<Ui::FirmaPage> ui;
    TRechnungBook* book_ = nullptr;
    // Shows one setting in its control; run by ShowSettings.
    std::vector<std::function<void()>> showers_;
    bool filling_ = false;
};
