// What lies in a project folder, as the disc will hold it: a tree of names, sizes, attributes
// and dates. The platform's folder walker fills it (without following junctions or links);
// the readiness check and the image writer only read it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velquor {

// A file's modification time as a calendar reading plus its distance from UTC, which is what
// the disc's directory records keep. A walker that knows only UTC leaves the offset at 0.
struct DiscTimestamp {
    int year = 1980;
    int month = 1;  // 1 .. 12
    int day = 1;    // 1 .. 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int utcOffsetMinutes = 0;  // east of Greenwich positive; kept in steps of 15 minutes

    friend bool operator==(const DiscTimestamp&, const DiscTimestamp&) = default;
};

struct DiscEntry {
    std::wstring name;  // one path part, no separator
    bool isFolder = false;
    std::uint64_t size = 0;  // bytes; 0 for folders
    bool hidden = false;
    bool system = false;
    DiscTimestamp modified;
    std::vector<DiscEntry> children;  // folders only
};

// The project folder itself is the root entry; its name is not part of any path on the disc.
struct DiscListing {
    DiscListing() { root.isFolder = true; }
    DiscEntry root;
};

// Project-relative paths, as findings name them and the file content source opens them:
// parts joined by backslashes, no leading one ("Daten\Preise.xls").
std::wstring JoinDiscPath(std::wstring_view parent, std::wstring_view name);

// The name as UTF-16 code units, whatever the width of wchar_t: where wchar_t holds whole code
// points, one beyond the basic plane becomes a surrogate pair.
std::u16string ToUtf16(std::wstring_view name);

}  // namespace velquor
