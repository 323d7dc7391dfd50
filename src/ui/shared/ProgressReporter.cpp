#include "ui/shared/ProgressReporter.h"

#include "ui/shared/ProgressEvent.h"
#include "ui/shared/UiServices.h"

#include <QCoreApplication>

void SendProgress(int percent)
{
    QObject* receiver = Services().progressReceiver;
    if (!receiver)
        return;
    ProgressEvent event(percent);
    QCoreApplication::sendEvent(receiver, &event);
}
