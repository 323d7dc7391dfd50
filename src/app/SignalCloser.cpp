#include "app/SignalCloser.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A step runs a little later, when the event loop of a window just closed has returned.
constexpr int kStepDelayMs = 20;

int signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe work here: the byte wakes the event loop.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

}

SignalCloser::SignalCloser(QWidget* mainWindow) : mainWindow_(mainWindow)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalCloser::HandleSignal);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &action, nullptr);
}

SignalCloser::~SignalCloser()
{
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        std::signal(sig, SIG_DFL);
    for (int& fd : signalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void SignalCloser::HandleSignal()
{
    char byte;
    [[maybe_unused]] const ssize_t got = ::read(signalPipe[1], &byte, 1);
    if (ending_) {
        // The program was asked before and a window did not close: the step goes on, and a
        // main window already closed ends the event loop now.
        if (!mainWindow_->isVisible())
            QCoreApplication::quit();
        return;
    }
    ending_ = true;
    EndStep();
}

void SignalCloser::EndStep()
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();  // its close handlers run; a question answers Cancel
        if (modal->isVisible()) {
            // A box without a button for closing: cancelled all the same.
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->hide();
        }
        QTimer::singleShot(kStepDelayMs, this, &SignalCloser::EndStep);
        return;
    }
    if (mainWindow_->isVisible()) {
        mainWindow_->close();
        // A box shown while closing (a failed save) is closed by the next step.
        QTimer::singleShot(kStepDelayMs, this, &SignalCloser::EndStep);
        return;
    }
    QCoreApplication::quit();
}
