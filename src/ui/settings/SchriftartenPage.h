#pragma once

#include <QWidget>
#include <array>
#include <memory>

namespace Ui {
class SchriftartenPage;
}
class QLabel;
class QPushButton;
class TRechnungBook;
struct TFontSetting;

// The tab "Schriftarten": nine buttons, each opening the font dialog for one font of the
// layout; the label beside it shows the font.
class SchriftartenPage : public QWidget {
    Q_OBJECT

public:
    explicit SchriftartenPage(QWidget* parent = nullptr);
    ~SchriftartenPage() override;

    void Attach(TRechnungBook& book, int screenPixelsPerInch);
    void ShowSettings();
    // Opens the font dialog for font 1 … 9.
    void EditFont(int number);

private:
    TFontSetting& Setting(int number);

    std::unique_ptr<Ui::SchriftartenPage> ui;
    TRechnungBook* book_ = nullptr;
    int pixelsPerInch_ = 96;
    std::array<QPushButton*, 9> buttons_{};
    std::array<QLabel*, 9> labels_{};
};
