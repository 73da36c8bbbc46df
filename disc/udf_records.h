// The bytes of an image's UDF structures (revision 1.02, descriptor version 2): the volume
// recognition sequence, anchors, the volume descriptor sequence, the integrity descriptor, the
// file set, and a File Entry and the file identifiers for every file and folder. Every
// descriptor carries its tag with checksum, CRC and location; volume structures are located by
// sector, the file structures by block within the partition.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "disc/disc_listing.h"

namespace velquor {

using UdfBytes = std::vector<unsigned char>;

inline constexpr std::uint32_t kUdfBlockSize = 2048;
inline constexpr std::uint32_t kUdfLongestExtent = 0x3FFFF800;  // 1 GiB less one block
// A File Entry's fixed part, and the short allocation descriptors of 8 bytes that fit behind it.
inline constexpr std::size_t kUdfEntryHeaderBytes = 176;
inline constexpr std::size_t kUdfMostExtents = (kUdfBlockSize - kUdfEntryHeaderBytes) / 8;
inline constexpr std::uint64_t kMaxUdfFileSize = std::uint64_t{kUdfMostExtents} * kUdfLongestExtent;
inline constexpr std::size_t kUdfLongestNameBytes = 255;  // with the compression id
inline constexpr std::uint32_t kUdfDescriptorSequenceSectors = 16;
inline constexpr std::uint32_t kUdfIntegritySectors = 2;  // the descriptor and a terminator
inline constexpr std::uint32_t kUdfFileSetBlocks = 2;     // the descriptor and a terminator
inline constexpr std::uint64_t kUdfFirstUniqueId = 16;    // 0 is the root's; 1 to 15 reserved

// CRC-ITU (x^16 + x^12 + x^5 + 1, starting from 0) as the descriptor tags carry it.
std::uint16_t UdfCrc(std::span<const unsigned char> bytes);

// A name as UDF stores it: compression id 8 and a byte a character when every character is at
// most U+00FF, otherwise 16 and two bytes a character, big-endian.
UdfBytes UdfName(std::u16string_view name);

// Where the volume's structures lie and what the integrity descriptor counts.
struct UdfVolume {
    std::u16string name;  // shown as the disc's name
    DiscTimestamp created;
    std::uint32_t mainSequenceSector = 0;
    std::uint32_t reserveSequenceSector = 0;
    std::uint32_t integritySector = 0;
    std::uint32_t partitionStart = 0;  // sector of block 0
    std::uint32_t partitionBlocks = 0;
    std::uint32_t rootEntryBlock = 0;  // the file set descriptor lies at block 0
    std::uint64_t nextUniqueId = kUdfFirstUniqueId;
    std::uint32_t files = 0;
    std::uint32_t folders = 0;  // the root among them
};

// BEA01, NSR02, TEA01: three sectors.
UdfBytes EncodeUdfVolumeRecognition();
UdfBytes EncodeUdfAnchor(const UdfVolume& volume, std::uint32_t sector);
// The primary, implementation use, partition, logical volume and unallocated space descriptors
// and a terminator, in a sequence of kUdfDescriptorSequenceSectors sectors from `sector`.
UdfBytes EncodeUdfDescriptorSequence(const UdfVolume& volume, std::uint32_t sector);
UdfBytes EncodeUdfIntegrity(const UdfVolume& volume);
UdfBytes EncodeUdfFileSet(const UdfVolume& volume);

struct UdfFileEntry {
    bool folder = false;
    bool hidden = false;
    std::uint64_t length = 0;      // a file's bytes, a folder's file identifiers
    std::uint32_t firstBlock = 0;  // where they lie, one extent after another
    std::uint64_t uniqueId = 0;
    std::uint16_t links = 1;
    DiscTimestamp modified;
};

// One block; the content as short allocation descriptors of at most kUdfLongestExtent each.
UdfBytes EncodeUdfFileEntry(const UdfFileEntry& entry, std::uint32_t block);

struct UdfFileId {
    std::u16string name;  // empty for the parent
    bool folder = false;
    bool hidden = false;
    std::uint32_t entryBlock = 0;
    std::uint64_t uniqueId = 0;
};

// Bytes of a file identifier descriptor with that name, padded to four.
std::uint32_t UdfFileIdLength(std::u16string_view name);

// A folder's file identifiers from `block` on, the parent's first, padded to whole blocks; a
// descriptor may run on into the next block.
UdfBytes EncodeUdfFileIds(std::span<const UdfFileId> ids, std::uint32_t block);

}  // namespace velquor
