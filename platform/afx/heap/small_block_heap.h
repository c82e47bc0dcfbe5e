// small_block_heap.h - what the program's operator new tells about itself.
#pragma once

// The calls of operator new (every form) since the process started, on all
// threads: the benchmarks report the allocations a conversion makes.
unsigned long long SmallBlockHeapAllocations();

// The bytes of small blocks the heap has taken from the system so far (it
// keeps them for reuse: the most it ever needed at once).
unsigned long long SmallBlockHeapCommittedBytes();
