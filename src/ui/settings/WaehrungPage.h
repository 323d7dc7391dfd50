#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class WaehrungPage;
}
class TRechnungBook;

// The tab "Währung": the text put behind every amount.
class WaehrungPage : public QWidget {
    Q_OBJECT

public:
    explicit WaehrungPage(QWidget* parent = nullptr);
    ~WaehrungPage() override;

    void Attach(TRechnungBook& book);
    void ShowSettings();

private:
    std::unique_ptr<Ui::WaehrungPage> ui;
    TRechnungBook* book_ = nullptr;
    bool filling_ = false;
};
