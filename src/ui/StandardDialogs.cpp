#include "ui/StandardDialogs.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QPageSetupDialog>

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
    QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& start,
                            const QString& filter, const QString& defaultSuffix) override
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
    bool SetupPrinter(QWidget* parent, QPrinter& printer) override
    {
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
};

QtDialogs qtDialogs;
StandardDialogs* current = nullptr;

}

StandardDialogs& CurrentDialogs()
{
    return current ? *current : qtDialogs;
}

void SetCurrentDialogs(StandardDialogs* dialogs)
{
    current = dialogs;
}
