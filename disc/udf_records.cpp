#include "disc/udf_records.h"

#include <algorithm>
#include <stdexcept>

namespace velquor {

namespace {

constexpr std::uint16_t kDescriptorVersion = 2;
constexpr std::uint16_t kUdfRevision = 0x0102;
constexpr unsigned char kOsClassWindowsNt = 6;

enum TagId : std::uint16_t {
    kPrimaryTag = 1,
    kAnchorTag = 2,
    kImplementationUseTag = 4,
    kPartitionTag = 5,
    kLogicalVolumeTag = 6,
    kUnallocatedSpaceTag = 7,
    kTerminatorTag = 8,
    kIntegrityTag = 9,
    kFileSetTag = 256,
    kFileIdTag = 257,
    kFileEntryTag = 261,
};

void Put16(UdfBytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}
void Put32(UdfBytes& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, static_cast<std::uint16_t>(v));
    Put16(b, at + 2, static_cast<std::uint16_t>(v >> 16));
}
void Put64(UdfBytes& b, std::size_t at, std::uint64_t v) {
    Put32(b, at, static_cast<std::uint32_t>(v));
    Put32(b, at + 4, static_cast<std::uint32_t>(v >> 32));
}

// The tag of the descriptor of `length` bytes at `at`: its CRC covers what follows the tag.
void PutTag(UdfBytes& b, std::size_t at, std::uint16_t id, std::uint32_t location,
            std::size_t length) {
    Put16(b, at, id);
    Put16(b, at + 2, kDescriptorVersion);
    Put16(b, at + 6, 1);  // serial number
    Put16(b, at + 8, UdfCrc(std::span(b).subspan(at + 16, length - 16)));
    Put16(b, at + 10, static_cast<std::uint16_t>(length - 16));
    Put32(b, at + 12, location);
    unsigned sum = 0;
    for (std::size_t i = 0; i < 16; ++i) {
        sum += i == 4 ? 0 : b[at + i];
    }
    b[at + 4] = static_cast<unsigned char>(sum);
}

void PutTimestamp(UdfBytes& b, std::size_t at, const DiscTimestamp& t) {
    // Type 1, local time, with its offset from UTC in minutes as twelve bits.
    const auto offset = static_cast<std::uint16_t>(t.utcOffsetMinutes) & 0x0FFF;
    Put16(b, at, static_cast<std::uint16_t>(0x1000 | offset));
    Put16(b, at + 2, static_cast<std::uint16_t>(t.year));
    b[at + 4] = static_cast<unsigned char>(t.month);
    b[at + 5] = static_cast<unsigned char>(t.day);
    b[at + 6] = static_cast<unsigned char>(t.hour);
    b[at + 7] = static_cast<unsigned char>(t.minute);
    b[at + 8] = static_cast<unsigned char>(t.second);
}

// The character set every text of the volume is in.
void PutOstaCharacterSet(UdfBytes& b, std::size_t at) {
    constexpr std::string_view kOsta = "OSTA Compressed Unicode";
    std::copy(kOsta.begin(), kOsta.end(), b.begin() + static_cast<std::ptrdiff_t>(at + 1));
}

enum class Suffix { kDomain, kUdf, kImplementation, kNone };

void PutEntityId(UdfBytes& b, std::size_t at, std::string_view id, Suffix suffix) {
    std::copy(id.begin(), id.end(), b.begin() + static_cast<std::ptrdiff_t>(at + 1));
    switch (suffix) {
        case Suffix::kDomain:
        case Suffix::kUdf:
            Put16(b, at + 24, kUdfRevision);
            if (suffix == Suffix::kUdf) {
                b[at + 26] = kOsClassWindowsNt;
            }
            break;
        case Suffix::kImplementation:
            b[at + 24] = kOsClassWindowsNt;
            break;
        case Suffix::kNone:
            break;
    }
}

void PutImplementationId(UdfBytes& b, std::size_t at) {
    PutEntityId(b, at, "*Velquor", Suffix::kImplementation);
}

// A text field of `length` bytes: the name's bytes, its length in the last byte.
void PutDString(UdfBytes& b, std::size_t at, std::size_t length, std::u16string_view text) {
    UdfBytes name = UdfName(text);
    if (text.empty()) {
        return;
    }
    while (name.size() > length - 1) {
        text.remove_suffix(1);
        name = UdfName(text);
    }
    std::copy(name.begin(), name.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
    b[at + length - 1] = static_cast<unsigned char>(name.size());
}

// A long allocation descriptor of one block in the partition, with the entry's unique id.
void PutLongAd(UdfBytes& b, std::size_t at, std::uint32_t block, std::uint64_t uniqueId) {
    Put32(b, at, kUdfBlockSize);
    Put32(b, at + 4, block);
    Put32(b, at + 12, static_cast<std::uint32_t>(uniqueId));
}

UdfBytes Sector() {
    return UdfBytes(kUdfBlockSize, 0);
}

}  // namespace

std::uint16_t UdfCrc(std::span<const unsigned char> bytes) {
    std::uint16_t crc = 0;
    for (const unsigned char byte : bytes) {
        crc ^= static_cast<std::uint16_t>(byte << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = static_cast<std::uint16_t>(crc & 0x8000 ? crc << 1 ^ 0x1021 : crc << 1);
        }
    }
    return crc;
}

UdfBytes UdfName(std::u16string_view name) {
    const bool wide = std::any_of(name.begin(), name.end(), [](char16_t c) { return c > 0xFF; });
    UdfBytes bytes{static_cast<unsigned char>(wide ? 16 : 8)};
    for (const char16_t c : name) {
        if (wide) {
            bytes.push_back(static_cast<unsigned char>(c >> 8));
        }
        bytes.push_back(static_cast<unsigned char>(c));
    }
    return bytes;
}

UdfBytes EncodeUdfVolumeRecognition() {
    UdfBytes b(3 * kUdfBlockSize, 0);
    for (std::size_t i = 0; std::string_view id : {"BEA01", "NSR02", "TEA01"}) {
        std::copy(id.begin(), id.end(), b.begin() + static_cast<std::ptrdiff_t>(i + 1));
        b[i + 6] = 1;
        i += kUdfBlockSize;
    }
    return b;
}

UdfBytes EncodeUdfAnchor(const UdfVolume& volume, std::uint32_t sector) {
    UdfBytes b = Sector();
    Put32(b, 16, kUdfDescriptorSequenceSectors * kUdfBlockSize);
    Put32(b, 20, volume.mainSequenceSector);
    Put32(b, 24, kUdfDescriptorSequenceSectors * kUdfBlockSize);
    Put32(b, 28, volume.reserveSequenceSector);
    PutTag(b, 0, kAnchorTag, sector, 512);
    return b;
}

UdfBytes EncodeUdfDescriptorSequence(const UdfVolume& volume, std::uint32_t sector) {
    UdfBytes b(kUdfDescriptorSequenceSectors * kUdfBlockSize, 0);
    const auto at = [](std::uint32_t n) { return std::size_t{n} * kUdfBlockSize; };

    std::size_t p = at(0);  // primary volume descriptor
    Put32(b, p + 16, 0);
    PutDString(b, p + 24, 32, volume.name);
    Put16(b, p + 56, 1);
    Put16(b, p + 58, 1);
    Put16(b, p + 60, 2);
    Put16(b, p + 62, 2);
    Put32(b, p + 64, 1);
    Put32(b, p + 68, 1);
    // The volume set's first 16 characters are to be unique: the creation time in hex digits.
    const DiscTimestamp& t = volume.created;
    const std::uint64_t stamp = (std::uint64_t(t.year) << 40) | (std::uint64_t(t.month) << 32) |
                                (std::uint64_t(t.day) << 24) | (std::uint64_t(t.hour) << 16) |
                                (std::uint64_t(t.minute) << 8) | std::uint64_t(t.second);
    std::u16string volumeSet;
    for (int shift = 60; shift >= 0; shift -= 4) {
        volumeSet += u"0123456789ABCDEF"[(stamp >> shift) & 0xF];
    }
    PutDString(b, p + 72, 128, volumeSet + u" " + volume.name);
    PutOstaCharacterSet(b, p + 200);
    PutOstaCharacterSet(b, p + 264);
    PutEntityId(b, p + 344, "*Velquor", Suffix::kNone);
    PutTimestamp(b, p + 376, volume.created);
    PutImplementationId(b, p + 388);
    PutTag(b, p, kPrimaryTag, sector, 512);

    p = at(1);  // implementation use volume descriptor
    Put32(b, p + 16, 1);
    PutEntityId(b, p + 20, "*UDF LV Info", Suffix::kUdf);
    PutOstaCharacterSet(b, p + 52);
    PutDString(b, p + 116, 128, volume.name);
    PutImplementationId(b, p + 352);
    PutTag(b, p, kImplementationUseTag, sector + 1, 512);

    p = at(2);  // partition descriptor
    Put32(b, p + 16, 2);
    Put16(b, p + 20, 1);  // allocated
    PutEntityId(b, p + 24, "+NSR02", Suffix::kNone);
    Put32(b, p + 184, 1);  // read-only
    Put32(b, p + 188, volume.partitionStart);
    Put32(b, p + 192, volume.partitionBlocks);
    PutImplementationId(b, p + 196);
    PutTag(b, p, kPartitionTag, sector + 2, 512);

    p = at(3);  // logical volume descriptor with one type 1 partition map
    Put32(b, p + 16, 3);
    PutOstaCharacterSet(b, p + 20);
    PutDString(b, p + 84, 128, volume.name);
    Put32(b, p + 212, kUdfBlockSize);
    PutEntityId(b, p + 216, "*OSTA UDF Compliant", Suffix::kDomain);
    PutLongAd(b, p + 248, 0, 0);  // the file set descriptor
    Put32(b, p + 264, 6);
    Put32(b, p + 268, 1);
    PutImplementationId(b, p + 272);
    Put32(b, p + 432, kUdfIntegritySectors * kUdfBlockSize);
    Put32(b, p + 436, volume.integritySector);
    b[p + 440] = 1;
    b[p + 441] = 6;
    Put16(b, p + 442, 1);
    Put16(b, p + 444, 0);
    PutTag(b, p, kLogicalVolumeTag, sector + 3, 446);

    p = at(4);  // unallocated space: none
    Put32(b, p + 16, 4);
    PutTag(b, p, kUnallocatedSpaceTag, sector + 4, 24);

    PutTag(b, at(5), kTerminatorTag, sector + 5, 512);
    return b;
}

UdfBytes EncodeUdfIntegrity(const UdfVolume& volume) {
    UdfBytes b(kUdfIntegritySectors * kUdfBlockSize, 0);
    PutTimestamp(b, 16, volume.created);
    Put32(b, 28, 1);  // closed
    Put64(b, 40, volume.nextUniqueId);
    Put32(b, 72, 1);   // partitions
    Put32(b, 76, 46);  // implementation use
    Put32(b, 80, 0);   // free blocks
    Put32(b, 84, volume.partitionBlocks);
    PutImplementationId(b, 88);
    Put32(b, 120, volume.files);
    Put32(b, 124, volume.folders);
    Put16(b, 128, kUdfRevision);  // to read
    Put16(b, 130, kUdfRevision);  // to write, least and most
    Put16(b, 132, kUdfRevision);
    PutTag(b, 0, kIntegrityTag, volume.integritySector, 134);
    PutTag(b, kUdfBlockSize, kTerminatorTag, volume.integritySector + 1, 512);
    return b;
}

UdfBytes EncodeUdfFileSet(const UdfVolume& volume) {
    UdfBytes b(kUdfFileSetBlocks * kUdfBlockSize, 0);
    PutTimestamp(b, 16, volume.created);
    Put16(b, 28, 3);
    Put16(b, 30, 3);
    Put32(b, 32, 1);
    Put32(b, 36, 1);
    PutOstaCharacterSet(b, 48);
    PutDString(b, 112, 128, volume.name);
    PutOstaCharacterSet(b, 240);
    PutDString(b, 304, 32, volume.name);
    PutLongAd(b, 400, volume.rootEntryBlock, 0);
    PutEntityId(b, 416, "*OSTA UDF Compliant", Suffix::kDomain);
    PutTag(b, 0, kFileSetTag, 0, 512);
    PutTag(b, kUdfBlockSize, kTerminatorTag, 1, 512);
    return b;
}

UdfBytes EncodeUdfFileEntry(const UdfFileEntry& entry, std::uint32_t block) {
    UdfBytes b = Sector();
    Put16(b, 20, 4);  // strategy 4: one entry
    Put16(b, 24, 1);
    b[27] = entry.folder ? 4 : 5;
    Put32(b, 36, 0xFFFFFFFF);  // no user
    Put32(b, 40, 0xFFFFFFFF);  // no group
    Put32(b, 44, 0x14A5);      // read and execute for everyone
    Put16(b, 48, entry.links);
    Put64(b, 56, entry.length);
    Put64(b, 64, (entry.length + kUdfBlockSize - 1) / kUdfBlockSize);
    for (const std::size_t at : {72, 84, 96}) {
        PutTimestamp(b, at, entry.modified);
    }
    Put32(b, 108, 1);  // checkpoint
    PutImplementationId(b, 128);
    Put64(b, 160, entry.uniqueId);
    std::size_t at = kUdfEntryHeaderBytes;
    std::uint32_t position = entry.firstBlock;
    for (std::uint64_t left = entry.length; left > 0;) {
        if (at + 8 > kUdfEntryHeaderBytes + kUdfMostExtents * 8) {
            // The readiness check refuses such a file before any image is written.
            throw std::logic_error("file too large for one UDF File Entry");
        }
        const auto extent =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(left, kUdfLongestExtent));
        Put32(b, at, extent);
        Put32(b, at + 4, position);
        position += kUdfLongestExtent / kUdfBlockSize;
        left -= extent;
        at += 8;
    }
    Put32(b, 172, static_cast<std::uint32_t>(at - kUdfEntryHeaderBytes));
    PutTag(b, 0, kFileEntryTag, block, at);
    return b;
}

std::uint32_t UdfFileIdLength(std::u16string_view name) {
    const std::size_t bytes = 38 + (name.empty() ? 0 : UdfName(name).size());
    return static_cast<std::uint32_t>((bytes + 3) / 4 * 4);
}

UdfBytes EncodeUdfFileIds(std::span<const UdfFileId> ids, std::uint32_t block) {
    std::size_t total = 0;
    for (const UdfFileId& id : ids) {
        total += UdfFileIdLength(id.name);
    }
    UdfBytes b((total + kUdfBlockSize - 1) / kUdfBlockSize * kUdfBlockSize, 0);
    std::size_t at = 0;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const UdfFileId& id = ids[i];
        const UdfBytes name = id.name.empty() ? UdfBytes{} : UdfName(id.name);
        Put16(b, at + 16, 1);  // file version
        b[at + 18] = static_cast<unsigned char>((id.hidden ? 0x01 : 0) | (id.folder ? 0x02 : 0) |
                                                (i == 0 ? 0x08 : 0));
        b[at + 19] = static_cast<unsigned char>(name.size());
        PutLongAd(b, at + 20, id.entryBlock, id.uniqueId);
        std::copy(name.begin(), name.end(), b.begin() + static_cast<std::ptrdiff_t>(at + 38));
        const std::uint32_t length = UdfFileIdLength(id.name);
        PutTag(b, at, kFileIdTag, block + static_cast<std::uint32_t>(at / kUdfBlockSize), length);
        at += length;
    }
    return b;
}

}  // namespace velquor
