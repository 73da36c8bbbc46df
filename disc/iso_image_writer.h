// Writes a project as an ISO 9660 image with a Joliet tree, streamed: directory records are
// built in memory, file contents pass through one small buffer from the content source to
// the byte sink, so memory stays flat whatever the project's size. The writer only writes to
// the sink; where the bytes end up (a temporary file beside the target, renamed at the end)
// is the caller's business.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "disc/disc_listing.h"
#include "disc/disc_readiness.h"

namespace velquor {

// Takes the image's bytes in order; reports its failures by throwing.
class IsoByteSink {
  public:
    virtual ~IsoByteSink() = default;
    virtual void Write(std::span<const unsigned char> bytes) = 0;
};

// One file's content, chunk by chunk; reports its failures by throwing.
class FileContentReader {
  public:
    virtual ~FileContentReader() = default;
    // Fills the start of the buffer; returns how many bytes, 0 at the end of the file.
    virtual std::size_t Read(std::span<unsigned char> buffer) = 0;
};

// Opens the listing's files by their project-relative path ("Daten\Preise.xls").
class FileContentSource {
  public:
    virtual ~FileContentSource() = default;
    virtual std::unique_ptr<FileContentReader> Open(const std::wstring& projectPath) = 0;
};

struct IsoImageOptions {
    std::wstring volumeName;  // shown as the disc's name; shortened to fit either tree
    DiscTimestamp created;    // the volume's creation and modification time
};

// Called after every piece handed to the sink, with the bytes written so far and the image's
// size; false stops the writing.
using IsoWriteProgress = std::function<bool(std::uint64_t written, std::uint64_t total)>;

enum class IsoWriteResult { kWritten, kCancelled };

// The listing has errors that no image can hold (FindImageBlockers); nothing was written.
class IsoImageRefused : public std::runtime_error {
  public:
    explicit IsoImageRefused(std::vector<DiscFinding> blockers);
    const std::vector<DiscFinding>& blockers() const { return blockers_; }

  private:
    std::vector<DiscFinding> blockers_;
};

// A file did not give as many bytes as the listing says: it changed after the listing was made.
class IsoFileChanged : public std::runtime_error {
  public:
    explicit IsoFileChanged(const std::wstring& path);
    const std::wstring& path() const { return path_; }

  private:
    std::wstring path_;
};

// Writes the whole image, or stops when `progress` says so (kCancelled: the sink then holds a
// beginning that is of no use). Failures of the sink and the source come through as thrown.
IsoWriteResult WriteIsoImage(const DiscListing& listing, const IsoImageOptions& options,
                             FileContentSource& source, IsoByteSink& sink,
                             const IsoWriteProgress& progress = {});

}  // namespace velquor
