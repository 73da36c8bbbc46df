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
// dates. Junctions and symbolic links are listed as what they are and never followed out of
// the root. Throws RunTimeError when the root cannot be read.
DiscListing ReadDiscListing(const std::wstring& projectRoot);

// The root's AutoRun.Inf and the icon file it names, read for the readiness check; what cannot
// be read stays empty.
DiscAutorunFiles ReadDiscAutorunFiles(const std::wstring& projectRoot, const DiscListing& listing);

// Writes the image of the listing to `imagePath`: to a temporary file beside it first, renamed
// over `imagePath` at the end. A cancel or a failure leaves neither a half image nor the
// temporary file. Throws RunTimeError (file system), IsoImageRefused, IsoFileChanged.
IsoWriteResult WriteDiscImageFile(const std::wstring& projectRoot, const DiscListing& listing,
                                  const IsoImageOptions& options, const std::wstring& imagePath,
                                  const IsoWriteProgress& progress = {});

// True when `imagePath` lies inside `projectRoot` (the image would contain itself), compared
// as Windows compares file names.
bool ImageLiesInsideProject(const std::wstring& projectRoot, const std::wstring& imagePath);

// Where the image goes by default: the folder above the root, or the user's documents folder
// for a drive's root; named after the root folder (or the volume) with ".iso".
std::wstring DefaultImagePath(const std::wstring& projectRoot);

}  // namespace velquor
