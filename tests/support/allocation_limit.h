// Makes allocations fail on demand, as on a machine whose memory is used up: a
// binary that links allocation_limit.cpp has every global operator new and
// delete replaced, and while a limit is set a single request above it throws
// std::bad_alloc (the nothrow forms return null).
#pragma once

#include <cstddef>

namespace tapwell::test {

void setLargestAllocation(std::size_t bytes);

// Sets the limit for its lifetime; -1 is no limit.
struct AllocationLimit {
    explicit AllocationLimit(std::size_t bytes) { setLargestAllocation(bytes); }
    ~AllocationLimit() { setLargestAllocation(std::size_t(-1)); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
};

} // namespace tapwell::test
