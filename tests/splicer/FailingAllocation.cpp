// The program's own operator new and delete, in a file of their own so
// that no call is inlined into a mismatched pair.
#include "tests/splicer/FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace failing_allocation {

bool armed = false;
long allocations = 0;
long failAt = 0;

}  // namespace failing_allocation

void* operator new(std::size_t size) {
  using namespace failing_allocation;
  if (armed && ++allocations == failAt) {
    throw std::bad_alloc();
  }
  if (void* block = std::malloc(size != 0 ? size : 1)) {
    return block;
  }
  throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
