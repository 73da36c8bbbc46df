// The project folder as a disc sees it, read from the file system, and its image written to a
// file: the Win32 side of the readiness check and the image writer.
#pragma once

#include <string>
#include <vector>

#include "disc/disc_listing.h"
#include "disc/disc_readiness.h"
#include "disc/iso_image_writer.h"

namespace velquor {

// Every file and folder below `projectRoot` (ending in a backslash), with sizes, attributes and
// dates (local time with its offset from UTC on that day). Junctions and symbolic links are
// listed as what they are and never followed out of the root: a linked folder as an empty
// folder, a linked file as an empty file. Other reparse points (cloud placeholders,
// deduplicated files) are ordinary files and folders. Each folder's entries come in Explorer's
// order. Throws RunTimeError, naming the folder, when a folder cannot be read.
DiscListing ReadDiscListing(const std::wstring& projectRoot);

// The root's AutoRun.Inf and the icon file it names, read for the readiness check; what cannot
// be read stays empty.
DiscAutorunFiles ReadDiscAutorunFiles(const std::wstring& projectRoot, const DiscListing& listing);

// Writes the image of the listing to `imagePath`: to a temporary file beside it first, renamed
// over `imagePath` at the end. A cancel or a failure leaves neither a half image nor the
// temporary file; an older image at `imagePath` stays as it was. Throws RunTimeError (its
// description begins with the project file or the image it concerns), IsoImageRefused,
// IsoFileChanged.
IsoWriteResult WriteDiscImageFile(const std::wstring& projectRoot, const DiscListing& listing,
                                  const IsoImageOptions& options, const std::wstring& imagePath,
                                  const IsoWriteProgress& progress = {});

// True when `imagePath` lies inside `projectRoot` (the image would contain itself), compared
// as Windows compares file names.
bool ImageLiesInsideProject(const std::wstring& projectRoot, const std::wstring& imagePath);

// Where the image goes by default: the folder above the root, or the user's documents folder
// for a drive's root; named after the root folder (or the volume) with ".iso".
std::wstring DefaultImagePath(const std::wstring& projectRoot);

// The disc's name unless the user gives one: the root folder's name; for a drive's root its
// volume label (or "Laufwerk D"), for a share's root the share's name.
std::wstring DefaultVolumeName(const std::wstring& projectRoot);

// Now, as the image's volume descriptors date it: local time and its offset from UTC.
DiscTimestamp CurrentDiscTimestamp();

}  // namespace velquor
