#include "support/EnvOverride.h"

#include <cstdlib>

EnvOverride::EnvOverride(const char* name, const char* value) : name_(name)
{
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_)
        old_ = old;
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

EnvOverride::~EnvOverride()
{
    if (had_)
        setenv(name_.c_str(), old_.c_str(), 1);
    else
        unsetenv(name_.c_str());
}
