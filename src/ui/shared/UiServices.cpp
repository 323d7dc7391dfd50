#include "ui/shared/UiServices.h"

#include <QDesktopServices>
#include <QDialog>
#include <QUrl>

UiServices& Services()
{
    static UiServices services;
    return services;
}

int RunDialog(QDialog& dialog)
{
    const UiServices& services = Services();
    return services.runDialog ? services.runDialog(dialog) : dialog.exec();
}

bool OpenUrl(const QUrl& url)
{
    const UiServices& services = Services();
    return services.openUrl ? services.openUrl(url) : QDesktopServices::openUrl(url);
}
