#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class TextbausteinePage;
}
class FunctionTableModel;
class TEditTextbauForm;
class TRechnungBook;

// The tab "Textbausteine": named texts for the invoice text, in the order they were made.
// Every change (and every closing of the edit dialog) writes save.dat.
class TextbausteinePage : public QWidget {
    Q_OBJECT

public:
    explicit TextbausteinePage(QWidget* parent = nullptr);
    ~TextbausteinePage() override;

    void Attach(TRechnungBook& book);
    void SetEditForm(TEditTextbauForm* editForm) { editForm_ = editForm; }
    // After the blocks were replaced (reading a file): the list shows them anew.
    void Rebuild();

    void BitBtn6Click();  // "Neuer Textbaustein..."
    void BitBtn7Click();  // "Bearbeiten..."
    void BitBtn4Click();  // "Löschen"

Q_SIGNALS:
    // The blocks changed: the template list on the address tab is refilled.
    void TextbausteineChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<Ui::TextbausteinePage> ui;
    TRechnungBook* book_ = nullptr;
    TEditTextbauForm* editForm_ = nullptr;
    FunctionTableModel* model_ = nullptr;
};
