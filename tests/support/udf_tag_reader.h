// A strict reader of an image's UDF structures, written apart from the writer so that the two
// cannot share a mistake: it follows the anchors, both volume descriptor sequences, the
// integrity descriptor, the file set and every File Entry and file identifier below the root,
// and checks each tag: id, version 2, checksum, the CRC over the whole descriptor, and the
// sector (volume structures) or partition block (file structures) it names. Names, contents
// and times are left to the Debian readers. Reads the whole image into memory.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace velquor::testing {

constexpr std::uint32_t UdfU16(const unsigned char* p) {
    return p[0] | p[1] << 8;
}
constexpr std::uint32_t UdfU32(const unsigned char* p) {
    return UdfU16(p) | UdfU16(p + 2) << 16;
}

// CRC-ITU: x^16 + x^12 + x^5 + 1, from 0, the most significant bit first.
constexpr std::uint32_t UdfTagCrc(const unsigned char* p, std::size_t n) {
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < n * 8; ++i) {
        crc ^= i % 8 == 0 ? std::uint32_t{p[i / 8]} << 8 : 0;
        crc = (crc << 1 ^ (crc & 0x8000 ? 0x1021 : 0)) & 0xFFFF;
    }
    return crc;
}
constexpr unsigned char kUdfCrcSample[] = {0x70, 0x6A, 0x77};
static_assert(UdfTagCrc(kUdfCrcSample, 3) == 0x3299);

// A File Entry's short allocation descriptors as (block, bytes); a problem for an extent not
// recorded, over the largest whole-block extent below 1 GiB, or not whole blocks but the last.
inline std::vector<std::pair<std::uint32_t, std::uint32_t>> UdfExtents(
    const unsigned char* fe, std::vector<std::string>& problems) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> extents;
    const std::uint32_t bytes = UdfU32(fe + 172), at = 176 + UdfU32(fe + 168);
    if ((UdfU16(fe + 34) & 7) != 0 || at + bytes > 2048) {
        problems.push_back("no short allocation descriptors");
        return extents;
    }
    for (std::uint32_t i = at; i < at + bytes; i += 8) {
        const std::uint32_t length = UdfU32(fe + i) & 0x3FFFFFFF;
        if (UdfU32(fe + i) >> 30 != 0 || length > 0x3FFFF800 ||
            (length % 2048 != 0 && i + 8 < at + bytes)) {
            problems.push_back("extent of " + std::to_string(UdfU32(fe + i)) + " bytes");
        }
        extents.emplace_back(UdfU32(fe + i + 4), length);
    }
    return extents;
}

struct UdfTagReport {
    std::vector<std::string> problems;  // empty when all is sound
    int files = 0;
    int folders = 0;  // the root among them
    int descriptors = 0;
};

class UdfTagReader {
  public:
    explicit UdfTagReader(const std::string& image) {
        std::ifstream in(image, std::ios::binary | std::ios::ate);
        image_.resize(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)));
        in.seekg(0).read(reinterpret_cast<char*>(image_.data()),
                         static_cast<std::streamsize>(image_.size()));
    }

    UdfTagReport Read() {
        const std::uint64_t last = std::max<std::uint64_t>(image_.size() / kBlock, 1) - 1;
        const unsigned char* a = Sector(256);
        if (!Tag(a, 2, 256, "anchor") || !Tag(Sector(last), 2, last, "anchor")) {
            return report_;
        }
        if (!std::equal(a + 16, a + 32, Sector(last) + 16)) {
            Problem("the anchors differ");
        }
        const Volume volume = Sequence(UdfU32(a + 20), UdfU32(a + 16), "main sequence");
        if (!(Sequence(UdfU32(a + 28), UdfU32(a + 24), "reserve sequence") == volume)) {
            Problem("the reserve sequence differs from the main one");
        }
        const unsigned char* lvid = Sector(volume.integrity);
        start_ = volume.partitionStart;
        blocks_ = volume.partitionBlocks;
        const unsigned char* fsd = Block(volume.fileSet);
        if (!Tag(lvid, 9, volume.integrity, "integrity") || volume.blockSize != kBlock ||
            !Tag(fsd, 256, volume.fileSet, "file set")) {
            return report_;
        }
        Entry(UdfU32(fsd + 404), UdfU32(fsd + 404), true, UdfU32(fsd + 412));
        for (const auto& [block, links] : links_) {
            if (links.first != links.second) {
                Problem("File Entry " + std::to_string(block) + ": link count");
            }
        }
        const unsigned char* counts = lvid + 80 + 8 * UdfU32(lvid + 72) + 32;
        if (UdfU32(lvid + 28) != 1 || UdfU32(counts) != std::uint32_t(report_.files) ||
            UdfU32(counts + 4) != std::uint32_t(report_.folders)) {
            Problem("integrity: not closed, or wrong counts");
        }
        return report_;
    }

  private:
    static constexpr std::size_t kBlock = 2048;
    struct Volume {
        std::uint32_t partitionStart = 0, partitionBlocks = 0, blockSize = 0, fileSet = 0;
        std::uint32_t integrity = 0;
        bool operator==(const Volume&) const = default;
    };

    void Problem(std::string what) { report_.problems.push_back(std::move(what)); }
    const unsigned char* Sector(std::uint64_t n) {
        return (n + 1) * kBlock <= image_.size() ? image_.data() + n * kBlock : nullptr;
    }
    const unsigned char* Block(std::uint32_t n) {
        return n < blocks_ ? Sector(start_ + n) : nullptr;
    }

    // Whether `p`, with `avail` bytes to read, holds a sound descriptor `id` tagged `location`.
    bool Tag(const unsigned char* p, std::uint32_t id, std::uint64_t location,
             const std::string& what, std::size_t avail = kBlock) {
        std::string wrong = p == nullptr ? " outside" : UdfU16(p) != id ? " id" : "";
        if (wrong.empty()) {
            ++report_.descriptors;
            const std::uint32_t size = id == 6     ? 440 + UdfU32(p + 264)
                                       : id == 7   ? 24 + 8 * UdfU32(p + 20)
                                       : id == 9   ? 80 + 8 * UdfU32(p + 72) + UdfU32(p + 76)
                                       : id == 257 ? (38 + UdfU16(p + 36) + p[19] + 3) / 4 * 4
                                       : id == 261 ? 176 + UdfU32(p + 168) + UdfU32(p + 172)
                                                   : 512;
            unsigned sum = 0;
            for (int i = 0; i < 16; ++i) {
                sum += i == 4 ? 0 : p[i];
            }
            wrong += UdfU16(p + 2) != 2 ? " version" : "";
            wrong += (sum & 0xFF) != p[4] ? " checksum" : "";
            const std::size_t crcBytes = UdfU16(p + 10);
            wrong += crcBytes + 16 != size ? " CRC length" : "";
            wrong +=
                crcBytes + 16 > avail || UdfTagCrc(p + 16, crcBytes) != UdfU16(p + 8) ? " CRC" : "";
            wrong += UdfU32(p + 12) != location ? " location" : "";
        }
        if (!wrong.empty()) {
            Problem(what + " at " + std::to_string(location) + ":" + wrong);
        }
        return wrong.empty();
    }

    // A volume descriptor sequence up to its terminator.
    Volume Sequence(std::uint32_t sector, std::uint32_t bytes, const std::string& what) {
        Volume v;
        for (std::uint32_t s = sector, id = 1; s < sector + bytes / kBlock && id != 8; ++s) {
            const unsigned char* d = Sector(s);
            id = d == nullptr ? 0 : UdfU16(d);
            const bool known = id != 0 && id != 2 && id <= 8;
            Tag(d, known ? id : 8, s, what);
            if (!known) {
                break;
            }
            if (id == 5) {
                v.partitionStart = UdfU32(d + 188);
                v.partitionBlocks = UdfU32(d + 192);
            } else if (id == 6) {
                v.blockSize = UdfU32(d + 212);
                v.fileSet = UdfU32(d + 252);
                v.integrity = UdfU32(d + 436);
            }
        }
        return v;
    }

    // The File Entry at `block` and, for a folder, all below it.
    void Entry(std::uint32_t block, std::uint32_t parent, bool folder, std::uint32_t uniqueId) {
        const std::string what = "File Entry " + std::to_string(block);
        const unsigned char* fe = Block(block);
        if (!visited_.insert(block).second || !Tag(fe, 261, block, "File Entry")) {
            return;
        }
        std::vector<std::string> problems;
        std::vector<unsigned char> content;  // a folder's
        std::vector<std::uint32_t> blockOf;  // of each block of the content
        std::uint64_t total = 0;
        for (const auto& [first, bytes] : UdfExtents(fe, problems)) {
            total += bytes;
            for (std::uint32_t b = 0; b * kBlock < bytes; ++b) {
                const unsigned char* data = Block(first + b);
                if (data == nullptr) {
                    problems.push_back("extent outside the partition");
                    break;
                }
                const std::size_t n = folder ? std::min(kBlock, bytes - b * kBlock) : 0;
                content.insert(content.end(), data, data + n);
                blockOf.push_back(first + b);
            }
        }
        if (fe[27] != (folder ? 4 : 5) || UdfU32(fe + 160) != uniqueId ||
            total != (UdfU32(fe + 56) | std::uint64_t{UdfU32(fe + 60)} << 32) ||
            UdfU32(fe + 64) != blockOf.size()) {
            problems.push_back("type, unique id, length or blocks");
        }
        for (const std::string& problem : problems) {
            Problem(what + ": " + problem);
        }
        links_[block].first = UdfU16(fe + 48);
        ++(folder ? report_.folders : report_.files);
        for (std::size_t at = 0; folder && at + 38 <= content.size();) {
            const unsigned char* fid = content.data() + at;
            if (!Tag(fid, 257, blockOf[at / kBlock], "identifier", content.size() - at)) {
                return;
            }
            const std::uint32_t target = UdfU32(fid + 24), nameBytes = fid[19];
            const unsigned char id = nameBytes == 0 ? 0 : fid[38 + UdfU16(fid + 36)];
            ++links_[target].second;
            if (at == 0 ? (fid[18] & 0x0A) != 0x0A || target != parent
                        : (fid[18] & 0x08) != 0 || (id != 8 && id != 16) ||
                              (id == 16 && nameBytes % 2 == 0)) {
                Problem(what + ": identifier at " + std::to_string(at));
            } else if (at > 0) {
                Entry(target, block, (fid[18] & 0x02) != 0, UdfU32(fid + 32));
            }
            at += (38 + UdfU16(fid + 36) + nameBytes + 3) / 4 * 4;
        }
    }

    std::vector<unsigned char> image_;
    UdfTagReport report_;
    std::uint32_t start_ = 0, blocks_ = 0;
    std::set<std::uint32_t> visited_;
    std::map<std::uint32_t, std::pair<std::uint32_t, std::uint32_t>> links_;  // counted, found
};

inline UdfTagReport ReadUdfTags(const std::string& image) {
    return UdfTagReader(image).Read();
}

}  // namespace velquor::testing
