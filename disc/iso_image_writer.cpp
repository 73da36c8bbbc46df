#include "disc/iso_image_writer.h"

#include <limits>

#include "disc/iso_layout.h"
#include "disc/iso_records.h"

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
    ImageStream(IsoByteSink& sink, const IsoWriteProgress& progress, std::uint64_t total)
        : sink_(sink), progress_(progress), total_(total) {}

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

    // Every piece starts where the layout put it; anything else is a fault of this writer.
    void ExpectSector(std::uint64_t sector) const {
        if (written_ != sector * kIsoSectorSize) {
            throw std::logic_error("disc image out of step with its layout");
        }
    }

    std::uint64_t written() const { return written_; }

  private:
    IsoByteSink& sink_;
    const IsoWriteProgress& progress_;
    std::uint64_t total_;
    std::uint64_t written_ = 0;
};

bool PutPathTables(ImageStream& out, const IsoTree& tree) {
    out.ExpectSector(tree.lPathTableSector);
    if (!out.Put(EncodePathTable(tree, false))) {
        return false;
    }
    out.ExpectSector(tree.mPathTableSector);
    return out.Put(EncodePathTable(tree, true));
}

bool PutDirectories(ImageStream& out, const IsoTree& tree) {
    for (std::size_t i = 0; i < tree.directories.size(); ++i) {
        out.ExpectSector(tree.directories[i].sector);
        if (!out.Put(EncodeDirectory(tree, i))) {
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
    out.ExpectSector(file.dataSector);
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
    ImageStream out(sink, progress, layout.totalSectors * kIsoSectorSize);
    constexpr auto kCancelled = IsoWriteResult::kCancelled;

    if (!out.Put(IsoBytes(kSystemAreaSectors * kIsoSectorSize, 0))) {
        return kCancelled;
    }
    out.ExpectSector(kPrimaryDescriptorSector);
    if (!out.Put(
            EncodeVolumeDescriptor(layout, layout.primary, options.volumeName, options.created)) ||
        !out.Put(
            EncodeVolumeDescriptor(layout, layout.joliet, options.volumeName, options.created)) ||
        !out.Put(EncodeDescriptorSetTerminator())) {
        return kCancelled;
    }
    if (!PutPathTables(out, layout.primary) || !PutPathTables(out, layout.joliet) ||
        !PutDirectories(out, layout.primary) || !PutDirectories(out, layout.joliet)) {
        return kCancelled;
    }
    std::vector<unsigned char> buffer(kChunkSize);
    for (const IsoNode* file : layout.files) {
        if (!PutFileContent(out, *file, source, buffer)) {
            return kCancelled;
        }
    }
    out.ExpectSector(layout.totalSectors);
    return IsoWriteResult::kWritten;
}

}  // namespace velquor
