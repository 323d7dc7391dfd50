#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// Ends the program the ordinary way when the desktop session asks it to (SIGTERM, SIGINT,
// SIGHUP), at any moment: every open box or dialog is closed as its window's close button
// would close it (a question as cancelled), one after the other, and then the main window
// is closed, so it saves as on any other close.
class SignalCloser : public QObject {
    Q_OBJECT

public:
    explicit SignalCloser(QWidget* mainWindow);
    ~SignalCloser() override;

    // True once a signal asked the program to end.
    bool Ending() const { return ending_; }

private:
    void HandleSignal();
    // One step of ending: closes the topmost modal window, or, with none left, the main
    // window; repeats until the main window is closed.
    void EndStep();

    QWidget* mainWindow_;
    QSocketNotifier* notifier_ = nullptr;
    bool ending_ = false;
};
