#include "ui/ProgressReporter.h"

#include "ui/ProgressEvent.h"
#include "ui/UiServices.h"

#include <QCoreApplication>

void SendProgress(int percent)
{
    QObject* receiver = Services().progressReceiver;
    if (!receiver)
        return;
    ProgressEvent event(percent);
    QCoreApplication::sendEvent(receiver, &event);
}
