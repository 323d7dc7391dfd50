#pragma once

// Makes the file system's permissions apply to this thread for the object's lifetime. Tests
// often run as root, whom permission bits do not stop; then the rights that override them
// (reading, writing and searching anything, acting as any file's owner) are dropped from the
// thread's effective set and given back at the end. Active() tells whether permissions now
// apply: false when the system refused the change (the test should then be skipped).
class FileRightsApply {
public:
    FileRightsApply();
    ~FileRightsApply();
    FileRightsApply(const FileRightsApply&) = delete;
    FileRightsApply& operator=(const FileRightsApply&) = delete;

    bool Active() const { return active_; }

private:
    bool active_ = false;
    bool changed_ = false;
    unsigned saved_[2] = {0, 0};
};
