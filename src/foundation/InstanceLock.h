#pragma once

#include <functional>
#include <string>

// Tells a running instance of the program from the leftovers of one that was killed. Every
// process that keeps files of its own in a folder holds a shared lock (flock) on the folder's
// lock file from then on until it ends; the system drops the lock of a killed process. A
// process that gets the lock exclusively therefore knows that no other one is at work there.
//
// A process has one open lock file per path, so that its own shared lock never stands in the
// way of its own exclusive one.
class InstanceLock {
public:
    // Holds the lock at lockPath shared from now on (the file is created when missing). False
    // when the lock file cannot be opened or the lock is not granted within a few seconds.
    static bool HoldShared(const std::string& lockPath);

    // Runs work only if no other process holds the lock at lockPath, while this one holds it
    // exclusively; afterwards (and when work did not run) the lock is held shared. Returns
    // whether work ran.
    static bool WhileAlone(const std::string& lockPath, const std::function<void()>& work);
};
