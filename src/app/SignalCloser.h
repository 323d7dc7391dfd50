#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// Ends the program the ordinary way when the desktop session asks it to (SIGTERM, SIGINT,
// SIGHUP): the main window is closed, so it saves as on any other close.
class SignalCloser : public QObject {
    Q_OBJECT

public:
    explicit SignalCloser(QWidget* mainWindow);
    ~SignalCloser() override;

private:
    void HandleSignal();

    QWidget* mainWindow_;
    QSocketNotifier* notifier_ = nullptr;
};
