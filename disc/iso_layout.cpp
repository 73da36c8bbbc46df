#include "disc/iso_layout.h"

#include <algorithm>
#include <map>
#include <set>

#include "disc/disc_readiness.h"
#include "disc/iso_names.h"

namespace velquor {

namespace {

constexpr std::uint32_t kFixedRecordLength = 33;
constexpr std::uint32_t kFixedPathTableRecordLength = 8;
constexpr std::uint32_t kSelfAndParentBytes = 2 * 34;  // "." and "..", one-byte identifiers

std::uint64_t SectorsFor(std::uint64_t bytes) {
    return (bytes + kIsoSectorSize - 1) / kIsoSectorSize;
}

// Level-1 names are made unique among the folder's entries in the listing's order: the first
// keeps its plain name, later ones get "_1", "_2", ... in the last characters of theirs. A
// folder and a file without extension count as the same name.
void AssignPrimaryIds(std::vector<IsoNode>& children) {
    std::set<std::u16string> taken;
    // Per candidate, the first number not yet tried: the numbers below it were taken, and stay
    // so, which keeps a folder of many similar names (photos from a camera) from trying 1, 2,
    // 3, ... anew for each of them.
    std::map<std::u16string, int> nextNumber;
    for (IsoNode& child : children) {
        const bool isFolder = child.entry->isFolder;
        const Level1Name candidate = Level1Candidate(child.entry->name, isFolder);
        Level1Name name = candidate;
        int& n = nextNumber[candidate.name + u"." + candidate.extension];
        if (n > 0) {
            name = Level1Variant(candidate, n);
        }
        while (taken.contains(name.name + u"." + name.extension)) {
            name = Level1Variant(candidate, ++n);
        }
        ++n;
        taken.insert(name.name + u"." + name.extension);
        child.primaryId = Level1Identifier(name, isFolder);
    }
}

IsoNode BuildNode(const DiscEntry& entry, const std::wstring& path) {
    IsoNode node;
    node.entry = &entry;
    node.path = path;
    node.udfId = ToUtf16(entry.name);
    node.children.reserve(entry.children.size());
    std::vector<std::u16string> names;
    for (const DiscEntry& child : entry.children) {
        node.children.push_back(BuildNode(child, JoinDiscPath(path, child.name)));
        names.push_back(node.children.back().udfId);
    }
    const std::vector<std::u16string> joliet = JolietNames(names);
    for (std::size_t i = 0; i < joliet.size(); ++i) {
        node.children[i].jolietId = joliet[i];
    }
    AssignPrimaryIds(node.children);
    return node;
}

// ISO 9660 records a file's size in 32 bits: a larger file is in the UDF tree only.
bool InIsoTrees(const IsoNode& node) {
    return node.entry->isFolder || node.entry->size <= kMaxIsoFileSize;
}

std::uint32_t DirectorySize(const IsoTree& tree, const IsoDirectory& dir) {
    std::uint32_t offset = kSelfAndParentBytes;
    for (const IsoNode* child : dir.children) {
        const std::uint32_t length = IsoRecordLength(IsoIdBytes(tree, *child));
        offset = NextRecordOffset(offset, length) + length;
    }
    return static_cast<std::uint32_t>(SectorsFor(offset) * kIsoSectorSize);
}

// The folders breadth first, each folder's entries sorted: that is path table order (by
// level, then by the parent's number, then by name).
void BuildTree(IsoTree& tree, IsoNode& root) {
    tree.directories.push_back({&root, 1, 0, 0, {}});
    for (std::size_t i = 0; i < tree.directories.size(); ++i) {
        IsoNode& folder = *tree.directories[i].node;
        std::vector<IsoNode*> children;
        for (IsoNode& child : folder.children) {
            if (InIsoTrees(child)) {
                children.push_back(&child);
            }
        }
        std::stable_sort(children.begin(), children.end(),
                         [&tree](const IsoNode* a, const IsoNode* b) {
                             return IsoIdentifierLess(tree.IdOf(*a), a->entry->isFolder,
                                                      tree.IdOf(*b), b->entry->isFolder);
                         });
        for (IsoNode* child : children) {
            if (child->entry->isFolder) {
                child->directoryIndex[tree.joliet ? 1 : 0] = tree.directories.size();
                tree.directories.push_back({child, static_cast<std::uint16_t>(i + 1), 0, 0, {}});
            }
        }
        tree.directories[i].children = std::move(children);
    }
    for (IsoDirectory& dir : tree.directories) {
        dir.size = DirectorySize(tree, dir);
        tree.pathTableSize += IsoPathTableRecordLength(IsoIdBytes(tree, *dir.node));
    }
}

// The first sector of `count` at or after `next`, never running over the first anchor's.
std::uint32_t Place(std::uint64_t& next, std::uint64_t count) {
    if (count > 0 && next <= kUdfAnchorSector && next + count > kUdfAnchorSector) {
        next = kUdfAnchorSector + 1;
    }
    const std::uint64_t at = next;
    next += count;
    return static_cast<std::uint32_t>(at);
}

void PlacePathTables(IsoTree& tree, std::uint64_t& sector) {
    tree.lPathTableSector = Place(sector, SectorsFor(tree.pathTableSize));
    tree.mPathTableSector = Place(sector, SectorsFor(tree.pathTableSize));
}

void PlaceDirectories(IsoTree& tree, std::uint64_t& sector) {
    for (IsoDirectory& dir : tree.directories) {
        dir.sector = Place(sector, dir.size / kIsoSectorSize);
    }
}

// The UDF tree's File Entries and file identifiers, folder by folder in path table order, each
// folder's files after its identifiers; blocks count from the partition's start.
void PlaceUdfEntries(IsoLayout& layout, std::uint64_t& sector) {
    UdfVolume& udf = layout.udf;
    const auto block = [&](std::uint64_t count) {
        return Place(sector, count) - udf.partitionStart;
    };
    std::uint64_t uniqueId = kUdfFirstUniqueId;
    for (const IsoDirectory& dir : layout.primary.directories) {
        IsoNode& folder = *dir.node;
        folder.udfUniqueId = &folder == layout.root.get() ? 0 : uniqueId++;
        folder.udfEntryBlock = block(1);
        folder.udfIdsBytes = UdfFileIdLength({});
        for (const IsoNode& child : folder.children) {
            folder.udfIdsBytes += UdfFileIdLength(child.udfId);
        }
        folder.udfIdsBlock = block(SectorsFor(folder.udfIdsBytes));
        layout.udfEntries.push_back(&folder);
        ++udf.folders;
        for (IsoNode& node : folder.children) {
            if (IsoNode* child = &node; !child->entry->isFolder) {
                child->udfUniqueId = uniqueId++;
                child->udfEntryBlock = block(1);
                layout.udfEntries.push_back(child);
                ++udf.files;
            }
        }
    }
    udf.nextUniqueId = uniqueId;
    udf.rootEntryBlock = layout.root->udfEntryBlock;
}

}  // namespace

std::uint32_t IsoRecordLength(std::size_t idBytes) {
    // Padded to an even length.
    return kFixedRecordLength + static_cast<std::uint32_t>(idBytes) + (idBytes % 2 == 0 ? 1 : 0);
}

std::uint32_t NextRecordOffset(std::uint32_t offset, std::uint32_t length) {
    if (offset % kIsoSectorSize + length > kIsoSectorSize) {
        return offset + kIsoSectorSize - offset % kIsoSectorSize;
    }
    return offset;
}

std::uint32_t IsoPathTableRecordLength(std::size_t idBytes) {
    return kFixedPathTableRecordLength + static_cast<std::uint32_t>(idBytes) + idBytes % 2;
}

std::size_t IsoIdBytes(const IsoTree& tree, const IsoNode& node) {
    const std::size_t units = tree.IdOf(node).size();
    if (units == 0) {
        return 1;  // the root's identifier, one zero byte
    }
    return tree.joliet ? 2 * units : units;
}

IsoLayout LayOutIsoImage(const DiscListing& listing) {
    IsoLayout layout;
    layout.root = std::make_unique<IsoNode>(BuildNode(listing.root, {}));
    layout.root->jolietId.clear();  // the project folder's name is not on the disc
    layout.joliet.joliet = true;
    BuildTree(layout.primary, *layout.root);
    BuildTree(layout.joliet, *layout.root);

    std::uint64_t sector = kFirstPathTableSector;
    PlacePathTables(layout.primary, sector);
    PlacePathTables(layout.joliet, sector);
    PlaceDirectories(layout.primary, sector);
    PlaceDirectories(layout.joliet, sector);
    UdfVolume& udf = layout.udf;
    udf.mainSequenceSector = Place(sector, kUdfDescriptorSequenceSectors);
    udf.reserveSequenceSector = Place(sector, kUdfDescriptorSequenceSectors);
    udf.integritySector = Place(sector, kUdfIntegritySectors);
    udf.partitionStart =
        static_cast<std::uint32_t>(std::max<std::uint64_t>(sector, kUdfAnchorSector + 1));
    sector = udf.partitionStart + kUdfFileSetBlocks;
    PlaceUdfEntries(layout, sector);
    for (const IsoDirectory& dir : layout.primary.directories) {
        for (IsoNode& node : dir.node->children) {
            IsoNode* file = &node;
            if (file->entry->isFolder) {
                continue;
            }
            if (file->entry->size > 0) {
                file->dataSector = Place(sector, SectorsFor(file->entry->size));
            }
            layout.files.push_back(file);
        }
    }
    udf.partitionBlocks = static_cast<std::uint32_t>(sector - udf.partitionStart);
    Place(sector, 1);  // the last anchor
    layout.totalSectors = sector;
    return layout;
}

}  // namespace velquor
