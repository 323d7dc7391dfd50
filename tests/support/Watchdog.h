#pragma once

// Ends the test process with a message and exit code 1 when the object lives longer than the
// given time: a test of something that must not block fails instead of hanging the run.
class Watchdog {
public:
    Watchdog(unsigned seconds, const char* what);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
};
