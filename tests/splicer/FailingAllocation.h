// A global operator new with a test hook, for a test program that links
// FailingAllocation.cpp: while armed, allocations are counted and the
// failAt-th one throws std::bad_alloc, as a system out of memory would.
#pragma once

namespace failing_allocation {

extern bool armed;
extern long allocations;
extern long failAt;  // from 1; 0: none fails

}  // namespace failing_allocation
