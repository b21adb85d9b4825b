// Advice to the system about large blocks of memory.
#pragma once

#include <cstddef>

// Asks the system to back a large block, not yet written, with huge pages: writing a block of several hundred
// megabytes then takes a few hundred page faults instead of tens of thousands. Does nothing where the system has
// no such pages, and for blocks smaller than one of them.
void adviseHugePages(void* data, std::size_t bytes);
