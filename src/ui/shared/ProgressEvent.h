#pragma once

#include <QEvent>

// Progress of a long operation in percent, sent or posted to the main window, which shows
// it in its status bar.
class ProgressEvent : public QEvent {
public:
    static constexpr QEvent::Type kType = QEvent::User;

    explicit ProgressEvent(int percent) : QEvent(kType), percent_(percent) {}
    int Percent() const { return percent_; }

private:
    int percent_;
};
