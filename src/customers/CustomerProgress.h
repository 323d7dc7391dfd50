#pragma once

#include <cstdint>
#include <functional>

// Long work on the customer table (import, export, printing all records, rebuilds) reports
// how far it is, in percent from 0 to 100. Empty: nobody listens.
using CustomerProgress = std::function<void(int percent)>;

// Calls the listener only when the percentage changes, so that a long walk does not send
// one report per record.
class CustomerProgressSteps {
public:
    explicit CustomerProgressSteps(CustomerProgress progress) : progress_(std::move(progress)) {}

    void Report(uint64_t done, uint64_t total)
    {
        if (!progress_)
            return;
        const int percent = total == 0 ? 100 : static_cast<int>(done >= total ? 100 : done * 100 / total);
        if (percent == last_)
            return;
        last_ = percent;
        progress_(percent);
    }

private:
    CustomerProgress progress_;  // a copy: callers often pass a temporary
    int last_ = -1;
};
