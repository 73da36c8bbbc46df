#include "util/write_in_chunks.h"

#include <algorithm>

namespace velquor {

bool WriteInChunks(std::string_view bytes, std::size_t maxChunk, const ChunkWriter& write) {
    const std::size_t chunkLimit = std::max<std::size_t>(maxChunk, 1);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t offered = std::min(bytes.size() - done, chunkLimit);
        const std::size_t taken = write(bytes.data() + done, offered);
        if (taken == 0 || taken > offered) {
            return false;
        }
        done += taken;
    }
    return true;
}

}  // namespace velquor
