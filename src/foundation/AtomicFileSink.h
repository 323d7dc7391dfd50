#pragma once

#include "foundation/ByteSink.h"

#include <cstdio>
#include <string>

// Writes a file so that it is either complete or not changed at all: the bytes go to a new
// file beside the target, which replaces the target only in Commit(), after it has been
// flushed to disk. Without Commit() (an error, an exception) the new file is removed and
// the old one stays as it was.
class AtomicFileSink final : public ByteSink {
public:
    // Raises IoError when the new file cannot be created (folder missing or read-only).
    explicit AtomicFileSink(const std::string& path);
    ~AtomicFileSink() override;

    void Write(const void* data, size_t n) override;
    // Flushes, syncs and renames over the target. Raises IoError on failure (the target
    // then stays as it was).
    void Commit();

    const std::string& TargetPath() const { return Name(); }

private:
    void Discard();

    std::FILE* file_ = nullptr;
    std::string tempPath_;
    bool committed_ = false;
};
