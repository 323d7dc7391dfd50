#include "ui/ProgressReporter.h"

#include "ui/ProgressEvent.h"

#include <QCoreApplication>
#include <QPointer>

namespace {
QPointer<QObject> progressReceiver;
}

void SetProgressReceiver(QObject* receiver)
{
    progressReceiver = receiver;
}

void SendProgress(int percent)
{
    if (!progressReceiver)
        return;
    ProgressEvent event(percent);
    QCoreApplication::sendEvent(progressReceiver, &event);
}
