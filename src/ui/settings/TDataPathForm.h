#pragma once

#include "foundation/DataFolder.h"
#include "ui/shared/FormStorage.h"

#include <QDialog>
#include <memory>

namespace Ui {
class TDataPathForm;
}

// "Datenpfad einstellen": where the data files live. The dialog only keeps its four values;
// a change takes effect at the next start.
class TDataPathForm : public QDialog {
    Q_OBJECT

public:
    explicit TDataPathForm(QWidget* parent = nullptr);
    ~TDataPathForm() override;

    // Reads the stored values (done at start, although the dialog is normally never shown).
    void RestoreStoredValues();
    void SetUserFolderText(const QString& path);
    DataFolderChoice Choice() const;
    // The stored choice, read without a window (for runs without a display).
    static DataFolderChoice StoredChoice();
    // The program folder (the folder of the running program file, ending in "/"), spelled
    // as the file system spells it.
    static std::string ProgramFolderPath();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void BrowseDirectory();

    std::unique_ptr<Ui::TDataPathForm> ui;
    FormStorage FormStorage1;
    bool restored_ = false;
};
