#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TNewArtForm;
}

// Picks an article of the local article list for a new position.
class TNewArtForm : public QDialog {
    Q_OBJECT

public:
    explicit TNewArtForm(QWidget* parent = nullptr);
    ~TNewArtForm() override;

private:
    std::unique_ptr<Ui::TNewArtForm> ui;
};
