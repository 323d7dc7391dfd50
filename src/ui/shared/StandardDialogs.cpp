#include "ui/shared/StandardDialogs.h"

#include "ui/settings/PrinterCatalog.h"
#include "ui/settings/PrinterSetupDialog.h"
#include "ui/shared/UiServices.h"

#include <QFileDialog>
#include <QFontDialog>

namespace {

class QtDialogs final : public StandardDialogs {
public:
    QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& start) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, start);
    }
    QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& start,
                            const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, start, filter);
    }
    QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter,
                            const QString& defaultSuffix) override
    {
        QFileDialog dialog(parent, caption, start, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().first();
    }
    bool GetFont(QWidget* parent, const QString& caption, QFont& font) override
    {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, font, parent, caption, QFontDialog::ScalableFonts);
        if (ok)
            font = chosen;
        return ok;
    }
    bool SetupPrinter(QWidget* parent, PrinterChoice& choice) override
    {
        PrinterSetupDialog dialog(InstalledPrinters(), choice, parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        choice = dialog.Choice();
        return true;
    }
};

QtDialogs qtDialogs;

}

StandardDialogs& CurrentDialogs()
{
    StandardDialogs* scripted = Services().dialogs;
    return scripted ? *scripted : qtDialogs;
}
