#include "disc/iso_records.h"

#include <algorithm>
#include <iterator>

#include "disc/iso_names.h"

namespace velquor {

namespace {

constexpr unsigned char kDirectoryFlag = 0x02;
constexpr std::uint16_t kVolumeSequenceNumber = 1;
constexpr char kStandardId[] = "CD001";
constexpr std::u16string_view kApplicationId = u"VELQUOR";

void Put16LE(IsoBytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}
void Put16BE(IsoBytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<unsigned char>(v >> 8);
    b[at + 1] = static_cast<unsigned char>(v);
}
void Put32LE(IsoBytes& b, std::size_t at, std::uint32_t v) {
    Put16LE(b, at, static_cast<std::uint16_t>(v));
    Put16LE(b, at + 2, static_cast<std::uint16_t>(v >> 16));
}
void Put32BE(IsoBytes& b, std::size_t at, std::uint32_t v) {
    Put16BE(b, at, static_cast<std::uint16_t>(v >> 16));
    Put16BE(b, at + 2, static_cast<std::uint16_t>(v));
}
// ISO 9660's "both-byte orders": little-endian, then big-endian.
void PutBoth16(IsoBytes& b, std::size_t at, std::uint16_t v) {
    Put16LE(b, at, v);
    Put16BE(b, at + 2, v);
}
void PutBoth32(IsoBytes& b, std::size_t at, std::uint32_t v) {
    Put32LE(b, at, v);
    Put32BE(b, at + 4, v);
}

// A text field, padded with blanks: one byte per character in the primary descriptor, UCS-2
// big-endian in the Joliet one (where a field of odd length ends in a zero byte).
void PutText(IsoBytes& b, std::size_t at, std::size_t length, std::u16string_view text,
             bool joliet) {
    const std::size_t unitBytes = joliet ? 2 : 1;
    for (std::size_t i = 0; (i + 1) * unitBytes <= length; ++i) {
        const char16_t c = i < text.size() ? text[i] : u' ';
        if (joliet) {
            Put16BE(b, at + 2 * i, c);
        } else {
            b[at + i] = static_cast<unsigned char>(c);
        }
    }
}

// Years since 1900 from 1900 to 2155; the offset from UTC in steps of 15 minutes.
void PutRecordDate(IsoBytes& b, std::size_t at, const DiscTimestamp& t) {
    b[at] = static_cast<unsigned char>(std::clamp(t.year - 1900, 0, 255));
    b[at + 1] = static_cast<unsigned char>(t.month);
    b[at + 2] = static_cast<unsigned char>(t.day);
    b[at + 3] = static_cast<unsigned char>(t.hour);
    b[at + 4] = static_cast<unsigned char>(t.minute);
    b[at + 5] = static_cast<unsigned char>(t.second);
    b[at + 6] = static_cast<unsigned char>(static_cast<signed char>(t.utcOffsetMinutes / 15));
}

void PutDigits(IsoBytes& b, std::size_t at, int width, int value) {
    value = std::max(value, 0);
    for (int i = width - 1; i >= 0; --i) {
        b[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>('0' + value % 10);
        value /= 10;
    }
}

// "YYYYMMDDHHMMSScc" in digits and the offset byte; all digits zero for "not specified".
void PutVolumeDate(IsoBytes& b, std::size_t at, const DiscTimestamp* t) {
    std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(at), 16, '0');
    if (t == nullptr) {
        return;
    }
    const int fields[] = {t->month, t->day, t->hour, t->minute, t->second};
    PutDigits(b, at, 4, t->year);
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        PutDigits(b, at + 4 + 2 * i, 2, fields[i]);
    }
    b[at + 16] = static_cast<unsigned char>(static_cast<signed char>(t->utcOffsetMinutes / 15));
}

IsoBytes IdBytes(const IsoTree& tree, const IsoNode& node) {
    const std::u16string& id = tree.IdOf(node);
    if (id.empty()) {
        return {0x00};
    }
    IsoBytes bytes(IsoIdBytes(tree, node));
    for (std::size_t i = 0; i < id.size(); ++i) {
        if (tree.joliet) {
            Put16BE(bytes, 2 * i, id[i]);
        } else {
            bytes[i] = static_cast<unsigned char>(id[i]);
        }
    }
    return bytes;
}

struct RecordFields {
    const IsoBytes& id;
    std::uint32_t sector;
    std::uint32_t size;
    bool isFolder;
    const DiscTimestamp& date;
};

// Writes the record at `at` and returns its length.
std::uint32_t PutRecord(IsoBytes& b, std::size_t at, const RecordFields& r) {
    const std::uint32_t length = IsoRecordLength(r.id.size());
    b[at] = static_cast<unsigned char>(length);
    PutBoth32(b, at + 2, r.sector);
    PutBoth32(b, at + 10, r.size);
    PutRecordDate(b, at + 18, r.date);
    b[at + 25] = r.isFolder ? kDirectoryFlag : 0;
    PutBoth16(b, at + 28, kVolumeSequenceNumber);
    b[at + 32] = static_cast<unsigned char>(r.id.size());
    std::copy(r.id.begin(), r.id.end(), b.begin() + static_cast<std::ptrdiff_t>(at + 33));
    return length;
}

}  // namespace

IsoBytes EncodeVolumeDescriptor(const IsoLayout& layout, const IsoTree& tree,
                                std::wstring_view volumeName, const DiscTimestamp& created) {
    IsoBytes b(kIsoSectorSize, 0);
    const bool joliet = tree.joliet;
    b[0] = joliet ? 2 : 1;
    std::copy(kStandardId, kStandardId + 5, b.begin() + 1);
    b[6] = 1;
    PutText(b, 8, 32, {}, joliet);  // system identifier
    PutText(b, 40, 32,
            joliet ? JolietVolumeIdentifier(volumeName) : PrimaryVolumeIdentifier(volumeName),
            joliet);
    PutBoth32(b, 80, static_cast<std::uint32_t>(layout.totalSectors));
    if (joliet) {
        b[88] = '%';  // UCS-2 level 3
        b[89] = '/';
        b[90] = 'E';
    }
    PutBoth16(b, 120, 1);  // volume set size
    PutBoth16(b, 124, kVolumeSequenceNumber);
    PutBoth16(b, 128, kIsoSectorSize);
    PutBoth32(b, 132, tree.pathTableSize);
    Put32LE(b, 140, tree.lPathTableSector);
    Put32BE(b, 148, tree.mPathTableSector);
    const IsoDirectory& root = tree.directories.front();
    PutRecord(
        b, 156,
        {IdBytes(tree, *root.node), root.sector, root.size, true, root.node->entry->modified});
    PutText(b, 190, 128, {}, joliet);  // volume set
    PutText(b, 318, 128, {}, joliet);  // publisher
    PutText(b, 446, 128, {}, joliet);  // data preparer
    PutText(b, 574, 128, kApplicationId, joliet);
    PutText(b, 702, 37, {}, joliet);  // copyright file
    PutText(b, 739, 37, {}, joliet);  // abstract file
    PutText(b, 776, 37, {}, joliet);  // bibliographic file
    PutVolumeDate(b, 813, &created);
    PutVolumeDate(b, 830, &created);
    PutVolumeDate(b, 847, nullptr);  // expiration
    PutVolumeDate(b, 864, nullptr);  // effective
    b[881] = 1;                      // file structure version
    return b;
}

IsoBytes EncodeDescriptorSetTerminator() {
    IsoBytes b(kIsoSectorSize, 0);
    b[0] = 255;
    std::copy(kStandardId, kStandardId + 5, b.begin() + 1);
    b[6] = 1;
    return b;
}

IsoBytes EncodePathTable(const IsoTree& tree, bool bigEndian) {
    IsoBytes b((tree.pathTableSize + kIsoSectorSize - 1) / kIsoSectorSize * kIsoSectorSize, 0);
    std::size_t at = 0;
    for (const IsoDirectory& dir : tree.directories) {
        const IsoBytes id = IdBytes(tree, *dir.node);
        b[at] = static_cast<unsigned char>(id.size());
        if (bigEndian) {
            Put32BE(b, at + 2, dir.sector);
            Put16BE(b, at + 6, dir.parentNumber);
        } else {
            Put32LE(b, at + 2, dir.sector);
            Put16LE(b, at + 6, dir.parentNumber);
        }
        std::copy(id.begin(), id.end(), b.begin() + static_cast<std::ptrdiff_t>(at + 8));
        at += IsoPathTableRecordLength(id.size());
    }
    return b;
}

IsoBytes EncodeDirectory(const IsoTree& tree, std::size_t index) {
    const IsoDirectory& dir = tree.directories[index];
    const IsoDirectory& parent = tree.directories[dir.parentNumber - 1];
    IsoBytes b(dir.size, 0);
    std::uint32_t at = 0;
    at += PutRecord(b, at, {{0x00}, dir.sector, dir.size, true, dir.node->entry->modified});
    at +=
        PutRecord(b, at, {{0x01}, parent.sector, parent.size, true, parent.node->entry->modified});
    for (const IsoNode* child : dir.children) {
        const IsoBytes id = IdBytes(tree, *child);
        at = NextRecordOffset(at, IsoRecordLength(id.size()));
        if (child->entry->isFolder) {
            const IsoDirectory& sub = tree.DirectoryOf(*child);
            at += PutRecord(b, at, {id, sub.sector, sub.size, true, child->entry->modified});
        } else {
            at += PutRecord(b, at,
                            {id, child->dataSector, static_cast<std::uint32_t>(child->entry->size),
                             false, child->entry->modified});
        }
    }
    return b;
}

}  // namespace velquor
