#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TAboutBox;
}

// "Info": the maker's notices with the current year.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TAboutBox> ui;
};
