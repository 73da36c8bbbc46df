// The directory of an .ico file: which images it holds and where their bytes lie. Checked
// before Velquor copies a library icon onto the disc, so that a damaged file is refused
// instead of ending up as a disc icon that Windows does not show.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace velquor {

// One image as the directory describes it. A stored width or height of 0 means 256; colorCount
// is the stored byte (0 for 256 colours and more).
struct IconEntry {
    int width = 0;
    int height = 0;
    int colorCount = 0;
    int bitCount = 0;
    std::uint32_t size = 0;    // bytes of the image
    std::uint32_t offset = 0;  // from the start of the file
};

enum class IconFileError {
    kNone,
    kTooShort,                // not even the six bytes of the header
    kNotAnIcon,               // reserved word not 0 or type not 1 (a cursor is type 2)
    kNoImages,                // the header counts no image
    kDirectoryTruncated,      // the file ends inside the directory
    kEmptyImage,              // an entry of 0 bytes
    kImageOverlapsDirectory,  // an image starts inside the header or directory
    kImageOutsideFile,        // an image reaches past the end of the file
};

struct IconFile {
    IconFileError error = IconFileError::kNone;
    std::vector<IconEntry> entries;  // empty unless error is kNone

    bool ok() const { return error == IconFileError::kNone; }
};

// Reads and checks the header and every directory entry; the image data is not looked at.
IconFile ParseIconFile(std::span<const unsigned char> bytes);

}  // namespace velquor
