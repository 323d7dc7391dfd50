#pragma once

#include <string>

// Sets an environment variable (null: removes it) for the lifetime of the object and
// restores the former state afterwards.
class EnvOverride {
public:
    EnvOverride(const char* name, const char* value);
    ~EnvOverride();
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    std::string name_;
    bool had_ = false;
    std::string old_;
};
