#pragma once

#include <cstddef>

// Has the system provide the memory of a large block, reserved but not yet
// written, in one step instead of one page fault per page: a table of a
// million records otherwise takes tens of thousands of faults when first
// written, which cost more than filling it. Only advice: where the system
// offers no such step, the pages come as they are first written.
namespace Prefault {

void forWriting(const void* data, std::size_t bytes);

}  // namespace Prefault
