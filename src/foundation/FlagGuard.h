#pragma once

// Sets a flag for the lifetime of the guard and gives it back its old value at the end of the
// scope, also when an exception leaves the scope; guards nested on one flag so restore in turn.
// For "the program itself is at work" flags, which must never stay set by mistake.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = old_; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
    bool old_;
};
