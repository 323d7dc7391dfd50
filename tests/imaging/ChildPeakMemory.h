#pragma once

#include <cstdint>
#include <functional>

// Measures how much memory a piece of work takes at its peak, without letting a faulty
// decoder take the machine's memory: the work runs in a forked child whose peak resident size
// is reset just before it starts. Outside AddressSanitizer (which reserves huge address
// ranges of its own) the child's address space is also capped at `addressSpaceAllowance`
// bytes above what it already holds, so that a runaway request fails instead of eating memory.
struct ChildPeak {
    bool measured = false;  // false: the child could not measure (or did not finish)
    int64_t growth = 0;     // bytes the resident size rose above its size at the start
    int result = 0;         // what the work returned (0..255)
};

ChildPeak MeasureInChild(const std::function<int()>& work, uint64_t addressSpaceAllowance);

// True in a build with AddressSanitizer.
bool UnderAddressSanitizer();
