// The bytes of an image's structures, from its layout: volume descriptors, path tables and
// directories, each padded to whole sectors.
#pragma once

#include <string>
#include <vector>

#include "disc/iso_layout.h"

namespace velquor {

using IsoBytes = std::vector<unsigned char>;

// The primary descriptor for the primary tree, the Joliet one (UCS-2 level 3) for the other.
IsoBytes EncodeVolumeDescriptor(const IsoLayout& layout, const IsoTree& tree,
                                std::wstring_view volumeName, const DiscTimestamp& created);

IsoBytes EncodeDescriptorSetTerminator();

// Type L (little-endian numbers) or type M (big-endian); identifiers as the tree stores them.
IsoBytes EncodePathTable(const IsoTree& tree, bool bigEndian);

// The directory at `index` in path table order: ".", "..", then its entries' records.
IsoBytes EncodeDirectory(const IsoTree& tree, std::size_t index);

}  // namespace velquor
