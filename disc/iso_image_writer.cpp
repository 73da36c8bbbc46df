#include "disc/iso_image_writer.h"

#include <limits>

#include "disc/iso_layout.h"
#include "disc/iso_records.h"
#include "disc/udf_records.h"

namespace velquor {

namespace {

constexpr std::size_t kChunkSize = 1 << 20;
constexpr std::uint32_t kSystemAreaSectors = 16;

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) {
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return narrow;
}

// Hands the image to the sink piece by piece, keeps count, and asks after each piece whether
// to go on.
class ImageStream {
  public:
    ImageStream(IsoByteSink& sink, const IsoWriteProgress& progress, std::uint64_t total,
                UdfBytes firstAnchor)
        : sink_(sink), progress_(progress), total_(total), firstAnchor_(std::move(firstAnchor)) {}

    // False when the writing is to stop.
    bool Put(std::span<const unsigned char> bytes) {
        sink_.Write(bytes);
        written_ += bytes.size();
        return !progress_ || progress_(written_, total_);
    }

    bool PadToSector() {
        const std::uint64_t used = written_ % kIsoSectorSize;
        if (used == 0) {
            return true;
        }
        const IsoBytes zeros(kIsoSectorSize - used, 0);
        return Put(zeros);
    }

    // Every piece starts where the layout put it: the sectors left free before it are written
    // empty, the first anchor's with the anchor. A piece behind is a fault of this writer.
    bool MoveTo(std::uint64_t sector) {
        if (written_ > sector * kIsoSectorSize || written_ % kIsoSectorSize != 0) {
            throw std::logic_error("disc image out of step with its layout");
        }
        static const IsoBytes kEmpty(kIsoSectorSize, 0);
        while (written_ < sector * kIsoSectorSize) {
            if (!Put(written_ == kUdfAnchorSector * kIsoSectorSize ? firstAnchor_ : kEmpty)) {
                return false;
            }
        }
        return true;
    }

    std::uint64_t written() const { return written_; }

  private:
    IsoByteSink& sink_;
    const IsoWriteProgress& progress_;
    std::uint64_t total_;
    UdfBytes firstAnchor_;
    std::uint64_t written_ = 0;
};

bool PutPathTables(ImageStream& out, const IsoTree& tree) {
    return out.MoveTo(tree.lPathTableSector) && out.Put(EncodePathTable(tree, false)) &&
           out.MoveTo(tree.mPathTableSector) && out.Put(EncodePathTable(tree, true));
}

bool PutDirectories(ImageStream& out, const IsoTree& tree) {
    for (std::size_t i = 0; i < tree.directories.size(); ++i) {
        if (!out.MoveTo(tree.directories[i].sector) || !out.Put(EncodeDirectory(tree, i))) {
            return false;
        }
    }
    return true;
}

bool PutFileContent(ImageStream& out, const IsoNode& file, FileContentSource& source,
                    std::vector<unsigned char>& buffer) {
    if (file.entry->size == 0) {
        return true;
    }
    if (!out.MoveTo(file.dataSector)) {
        return false;
    }
    const std::unique_ptr<FileContentReader> reader = source.Open(file.path);
    for (std::uint64_t left = file.entry->size; left > 0;) {
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
        const std::size_t got = reader->Read(std::span(buffer.data(), wanted));
        if (got == 0 || got > wanted) {
            throw IsoFileChanged(file.path);
        }
        if (!out.Put(std::span(buffer.data(), got))) {
            return false;
        }
        left -= got;
    }
    return out.PadToSector();
}

// The UDF volume structures, then the partition's file set and File Entries with the folders'
// file identifiers.
bool PutUdfStructures(ImageStream& out, const IsoLayout& layout, const UdfVolume& udf) {
    if (!out.MoveTo(udf.mainSequenceSector) ||
        !out.Put(EncodeUdfDescriptorSequence(udf, udf.mainSequenceSector)) ||
        !out.MoveTo(udf.reserveSequenceSector) ||
        !out.Put(EncodeUdfDescriptorSequence(udf, udf.reserveSequenceSector)) ||
        !out.MoveTo(udf.integritySector) || !out.Put(EncodeUdfIntegrity(udf)) ||
        !out.MoveTo(udf.partitionStart) || !out.Put(EncodeUdfFileSet(udf))) {
        return false;
    }
    for (const IsoNode* node : layout.udfEntries) {
        const DiscEntry& entry = *node->entry;
        UdfFileEntry fileEntry{entry.isFolder, entry.hidden, entry.size, 0, node->udfUniqueId, 1,
                               entry.modified};
        std::vector<UdfFileId> ids;
        if (entry.isFolder) {
            const IsoDirectory& dir = layout.primary.DirectoryOf(*node);
            const IsoNode& parent = *layout.primary.directories[dir.parentNumber - 1].node;
            ids.push_back({{}, true, false, parent.udfEntryBlock, parent.udfUniqueId});
            for (const IsoNode& child : node->children) {
                ids.push_back({child.udfId, child.entry->isFolder, child.entry->hidden,
                               child.udfEntryBlock, child.udfUniqueId});
                fileEntry.links += child.entry->isFolder ? 1 : 0;
            }
            fileEntry.length = node->udfIdsBytes;
            fileEntry.firstBlock = node->udfIdsBlock;
        } else if (entry.size > 0) {
            fileEntry.firstBlock = node->dataSector - udf.partitionStart;
        }
        if (!out.MoveTo(udf.partitionStart + node->udfEntryBlock) ||
            !out.Put(EncodeUdfFileEntry(fileEntry, node->udfEntryBlock)) ||
            (entry.isFolder && (!out.MoveTo(udf.partitionStart + node->udfIdsBlock) ||
                                !out.Put(EncodeUdfFileIds(ids, node->udfIdsBlock))))) {
            return false;
        }
    }
    return true;
}

}  // namespace

IsoImageRefused::IsoImageRefused(std::vector<DiscFinding> blockers)
    : std::runtime_error("the listing cannot be written as a disc image"),
      blockers_(std::move(blockers)) {}

IsoFileChanged::IsoFileChanged(const std::wstring& path)
    : std::runtime_error("file changed while the disc image was written: " + Narrow(path)),
      path_(path) {}

IsoWriteResult WriteIsoImage(const DiscListing& listing, const IsoImageOptions& options,
                             FileContentSource& source, IsoByteSink& sink,
                             const IsoWriteProgress& progress) {
    if (std::vector<DiscFinding> blockers = FindImageBlockers(listing); !blockers.empty()) {
        throw IsoImageRefused(std::move(blockers));
    }
    const IsoLayout layout = LayOutIsoImage(listing);
    if (layout.totalSectors > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("disc image larger than ISO 9660 can count");
    }
    UdfVolume udf = layout.udf;
    udf.name = ToUtf16(options.volumeName);
    udf.created = options.created;
    const auto lastSector = static_cast<std::uint32_t>(layout.totalSectors - 1);
    ImageStream out(sink, progress, layout.totalSectors * kIsoSectorSize,
                    EncodeUdfAnchor(udf, kUdfAnchorSector));
    constexpr auto kCancelled = IsoWriteResult::kCancelled;

    if (!out.Put(IsoBytes(kSystemAreaSectors * kIsoSectorSize, 0))) {
        return kCancelled;
    }
    if (!out.MoveTo(kPrimaryDescriptorSector) ||
        !out.Put(
            EncodeVolumeDescriptor(layout, layout.primary, options.volumeName, options.created)) ||
        !out.Put(
            EncodeVolumeDescriptor(layout, layout.joliet, options.volumeName, options.created)) ||
        !out.Put(EncodeDescriptorSetTerminator()) || !out.Put(EncodeUdfVolumeRecognition())) {
        return kCancelled;
    }
    if (!PutPathTables(out, layout.primary) || !PutPathTables(out, layout.joliet) ||
        !PutDirectories(out, layout.primary) || !PutDirectories(out, layout.joliet) ||
        !PutUdfStructures(out, layout, udf)) {
        return kCancelled;
    }
    std::vector<unsigned char> buffer(kChunkSize);
    for (const IsoNode* file : layout.files) {
        if (!PutFileContent(out, *file, source, buffer)) {
            return kCancelled;
        }
    }
    if (!out.MoveTo(lastSector) || !out.Put(EncodeUdfAnchor(udf, lastSector))) {
        return kCancelled;
    }
    if (out.written() != layout.totalSectors * kIsoSectorSize) {
        throw std::logic_error("disc image out of step with its layout");
    }
    return IsoWriteResult::kWritten;
}

}  // namespace velquor
