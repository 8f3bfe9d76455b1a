#pragma once

// The allocator keeps the pages of what the program freed for its next
// allocations; once the start's passing work and what it let go are freed,
// the whole free pages among them wait for nothing.
namespace FreedMemory {

// Hands the whole free pages back to the system; later allocations take
// pages again as they need them.
void returnToSystem();

}  // namespace FreedMemory
