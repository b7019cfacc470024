// Makes allocations fail on demand, as on a machine whose memory is used up: a
// binary that links allocation_limit.cpp has every global operator new and
// delete replaced, and while a limit is set a single request above it throws
// std::bad_alloc (the nothrow forms return null).
#pragma once

#include <cstdint>

namespace tapwell::test {

void setLargestAllocation(std::size_t bytes);

// Sets the limit for its lifetime.
struct AllocationLimit {
    explicit AllocationLimit(std::size_t bytes) { setLargestAllocation(bytes); }
    ~AllocationLimit() { setLargestAllocation(SIZE_MAX); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
};

} // namespace tapwell::test
