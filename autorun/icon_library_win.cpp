#include "autorun/icon_library_win.h"

#include <cstdint>
#include <cstdlib>

#include "autorun/icon_file.h"

namespace velquor {
namespace {

constexpr int kMaxEntries = 32767;

HMODULE ProgramModule() {
    return GetModuleHandleW(nullptr);
}

std::span<const unsigned char> ResourceBytes(int number) {
    const HMODULE module = ProgramModule();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(number), MAKEINTRESOURCEW(10));  // RCDATA
    if (!found) {
        return {};
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return {};
    }
    return {static_cast<const unsigned char*>(data), SizeofResource(module, found)};
}

// How well an image suits a square of `size` pixels: the exact size first, then the nearest
// larger, then the nearest smaller; among equal sizes the most colours.
long Unfitness(const IconEntry& image, int size) {
    const long difference = static_cast<long>(image.width) - size;
    const long sizeRank = difference >= 0 ? difference * 2 : -difference * 2 + 1;
    return sizeRank * 64 - image.bitCount;
}

}  // namespace

int LibraryIconCount() {
    static const int count = [] {
        int n = 0;
        while (n < kMaxEntries && !ResourceBytes(n + 1).empty()) {
            ++n;
        }
        return n;
    }();
    return count;
}

std::span<const unsigned char> LibraryIconBytes(int entry) {
    if (entry < 1 || entry > LibraryIconCount()) {
        return {};
    }
    return ResourceBytes(entry);
}

std::span<const unsigned char> LibraryIconImage(int entry, int size) {
    const std::span<const unsigned char> file = LibraryIconBytes(entry);
    const IconFile directory = ParseIconFile(file);
    const IconEntry* best = nullptr;
    for (const IconEntry& image : directory.entries) {
        if (!best || Unfitness(image, size) < Unfitness(*best, size)) {
            best = &image;
        }
    }
    return best ? file.subspan(best->offset, best->size) : std::span<const unsigned char>();
}

UniqueIcon LibraryIconPicture(int entry, int size) {
    const std::span<const unsigned char> image = LibraryIconImage(entry, size);
    if (image.empty()) {
        return {};
    }
    constexpr DWORD kIconFormatVersion = 0x00030000;
    return UniqueIcon(CreateIconFromResourceEx(const_cast<unsigned char*>(image.data()),
                                               static_cast<DWORD>(image.size()), TRUE,
                                               kIconFormatVersion, size, size, LR_DEFAULTCOLOR));
}

}  // namespace velquor
