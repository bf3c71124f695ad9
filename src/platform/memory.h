// Memory services for the record stores.
#pragma once

#include <cstddef>

namespace pulsepost {

// Tells the host that a large block will be filled front to back and kept whole: where the host
// can, it backs the block with large pages, so that filling it costs one page fault per large
// page instead of one per small page. Changes nothing the program can observe; does nothing
// where the host has no such service.
void adviseSequentialFill(void* block, std::size_t bytes);

}  // namespace pulsepost
