// The loop that hands a whole byte string to a writer which may take less than it is offered.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace velquor {

// Takes up to `size` bytes at `data` and returns how many it took; reports its own failures
// by throwing.
using ChunkWriter = std::function<std::size_t(const char* data, std::size_t size)>;

// Offers `bytes` to `write` in chunks of at most `maxChunk` bytes (at least one), each chunk
// starting where the previous write stopped. False as soon as a write takes nothing or more
// than it was offered: a writer that reports success without progress would otherwise be
// asked forever, and one that claims too much has lost count of what it wrote.
bool WriteInChunks(std::string_view bytes, std::size_t maxChunk, const ChunkWriter& write);

}  // namespace velquor
