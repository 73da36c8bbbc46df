// Where everything lies in the image, which holds three trees of the same files: ISO 9660,
// Joliet and UDF (a "bridge"): the names of the trees, the order of their records, the sectors
// of path tables, directories, UDF descriptors and file contents, and the size of the whole
// image. The readiness check takes the image size from here, so that it and the writer agree
// to the sector.
//
// The image, sector by sector: 16 empty sectors, the primary and the Joliet volume descriptor,
// the terminator, the UDF volume recognition sequence (19 to 21); the primary tree's path
// tables (L, then M) and the Joliet tree's; the primary tree's directories and then the Joliet
// tree's, each in path table order; the UDF main and reserve volume descriptor sequences and
// the integrity descriptor; the UDF partition, which begins after sector 256 (the first
// anchor's) and holds the file set descriptor, a File Entry for every folder with its file
// identifiers and for every file, and then every file's content, in the order the primary tree
// lists them, each starting on a sector of its own; the last sector holds the second anchor.
// Nothing else is ever placed on sector 256. All trees point to the same file contents.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "disc/disc_listing.h"
#include "disc/udf_records.h"

namespace velquor {

inline constexpr std::uint32_t kIsoSectorSize = 2048;
inline constexpr std::uint32_t kPrimaryDescriptorSector = 16;
inline constexpr std::uint32_t kJolietDescriptorSector = 17;
inline constexpr std::uint32_t kTerminatorSector = 18;
inline constexpr std::uint32_t kVolumeRecognitionSector = 19;  // BEA01, NSR02, TEA01
inline constexpr std::uint32_t kFirstPathTableSector = 22;
inline constexpr std::uint32_t kUdfAnchorSector = 256;

// One entry of the listing with its names in both trees.
struct IsoNode {
    const DiscEntry* entry = nullptr;
    std::wstring path;                       // project-relative; empty for the root
    std::u16string primaryId;                // "README.TXT;1", "DATEN"; empty for the root
    std::u16string jolietId;                 // as Joliet can hold it; empty for the root
    std::u16string udfId;                    // the full name
    std::uint32_t dataSector = 0;            // files: where the content starts (0 when it is empty)
    std::size_t directoryIndex[2] = {0, 0};  // folders: their place in the primary, Joliet tree
    std::uint32_t udfEntryBlock = 0;         // the File Entry, in the partition
    std::uint32_t udfIdsBlock = 0;           // folders: their file identifiers
    std::uint32_t udfIdsBytes = 0;
    std::uint64_t udfUniqueId = 0;
    std::vector<IsoNode> children;  // in the listing's order
};

// One folder in one of the two trees.
struct IsoDirectory {
    IsoNode* node = nullptr;
    std::uint16_t parentNumber = 1;  // the parent's place in the path table, from 1; the root's own
    std::uint32_t sector = 0;
    std::uint32_t size = 0;          // bytes, whole sectors
    std::vector<IsoNode*> children;  // in the order of the directory records; files of 4 GiB
                                     // or more are in the UDF tree only
};

struct IsoTree {
    bool joliet = false;
    std::vector<IsoDirectory>
        directories;                  // in path table order; a folder's number is its index + 1
    std::uint32_t pathTableSize = 0;  // bytes of one table
    std::uint32_t lPathTableSector = 0;
    std::uint32_t mPathTableSector = 0;

    const std::u16string& IdOf(const IsoNode& node) const {
        return joliet ? node.jolietId : node.primaryId;
    }
    const IsoDirectory& DirectoryOf(const IsoNode& folder) const {
        return directories[folder.directoryIndex[joliet ? 1 : 0]];
    }
};

struct IsoLayout {
    std::unique_ptr<IsoNode> root;  // on the heap: the trees point into it
    IsoTree primary;
    IsoTree joliet;
    std::vector<const IsoNode*> files;       // in the order of their contents
    std::vector<const IsoNode*> udfEntries;  // in the order of their File Entries
    UdfVolume udf;                           // its name and time are the writer's
    std::uint64_t totalSectors = 0;          // the volume space size, the last anchor included
};

// Bytes of a directory record whose identifier takes idBytes bytes.
std::uint32_t IsoRecordLength(std::size_t idBytes);

// Where a record of `length` bytes goes when the previous one ended at `offset`: there, or at
// the next sector when it would cross into it.
std::uint32_t NextRecordOffset(std::uint32_t offset, std::uint32_t length);

// Bytes of a path table record whose identifier takes idBytes bytes.
std::uint32_t IsoPathTableRecordLength(std::size_t idBytes);

// The identifier's length in bytes as the tree stores it: one per unit in the primary tree,
// two in the Joliet tree; the root's is one byte in both.
std::size_t IsoIdBytes(const IsoTree& tree, const IsoNode& node);

// Lays out the image of the listing, which must outlive the layout. Sizes are counted in 64
// bits, so that the check can report an image too large for any disc; the writer refuses what
// does not fit ISO 9660's 32-bit fields before it writes.
IsoLayout LayOutIsoImage(const DiscListing& listing);

}  // namespace velquor
