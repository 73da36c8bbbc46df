#include "util/write_in_chunks.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace velquor {
namespace {

constexpr int kAll = -1;   // the writer takes everything it is offered
constexpr int kMore = -2;  // the writer claims one byte more than it was offered
constexpr int kCallLimit = 50;

struct Case {
    const char* name;
    std::string bytes;
    std::size_t maxChunk;
    std::vector<int> takes;  // at most this much per call; the last entry repeats
    bool complete;
    std::vector<std::size_t> offers;
    std::string received;
};

TEST(WriteInChunksTest, OffersTheRestUntilAllIsTakenAndStopsOnAWriteWithoutProgress) {
    const Case cases[] = {
        {"nothing to write", "", 4, {kAll}, true, {}, ""},
        {"chunk limit", "abcdefghij", 4, {kAll}, true, {4, 4, 2}, "abcdefghij"},
        {"short writes resume where they stopped",
         "abcdefghij",
         5,
         {3},
         true,
         {5, 5, 4, 1},
         "abcdefghij"},
        {"a zero limit still makes progress", "abc", 0, {kAll}, true, {1, 1, 1}, "abc"},
        {"success without a byte", "abcdefghij", 4, {0}, false, {4}, ""},
        {"no progress after some", "abcdefghij", 4, {2, 0}, false, {4, 4}, "ab"},
        {"more than offered", "abcdefghij", 4, {kAll, kMore}, false, {4, 4}, "abcdefgh"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::size_t> offers;
        std::string received;
        const ChunkWriter writer = [&](const char* data, std::size_t size) -> std::size_t {
            // A loop that never gives up would hang the test; end it here instead.
            if (offers.size() == kCallLimit) {
                throw std::runtime_error("asked too often");
            }
            const int take = c.takes[std::min(offers.size(), c.takes.size() - 1)];
            offers.push_back(size);
            const std::size_t taken = take == kAll ? size
                                      : take == kMore
                                          ? size + 1
                                          : std::min(static_cast<std::size_t>(take), size);
            received.append(data, std::min(taken, size));
            return taken;
        };
        try {
            EXPECT_EQ(WriteInChunks(c.bytes, c.maxChunk, writer), c.complete);
        } catch (const std::runtime_error& e) {
            ADD_FAILURE() << e.what();
        }
        EXPECT_EQ(offers, c.offers);
        EXPECT_EQ(received, c.received);
    }
}

}  // namespace
}  // namespace velquor
