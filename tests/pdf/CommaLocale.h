#pragma once

#include <string>

// Switches the process to number formats with a decimal comma for the lifetime of the object:
// the C++ global locale gets a numpunct facet with ',' as decimal point and '.' as thousands
// separator, and the C locale becomes de_DE.UTF-8 when one can be had (the system's, or one
// built with localedef into a temporary folder). Everything is restored afterwards.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    // The C library formats 1.5 as "1,5".
    bool CHasComma() const { return cHasComma_; }
    const std::string& Why() const { return why_; }

private:
    std::string oldCLocale_;
    bool cHasComma_ = false;
    std::string why_;
};
