#include "dialogs/library_image_list_win.h"

#include <cstring>
#include <span>
#include <vector>

#include "autorun/icon_library_win.h"
#include "util/unique_handle_win.h"

namespace velquor {
namespace {

class MemoryCanvas {
  public:
    explicit MemoryCanvas(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
        if (dc_) {
            old_ = SelectObject(dc_, bitmap);
        }
    }
    ~MemoryCanvas() {
        if (dc_) {
            SelectObject(dc_, old_);
            DeleteDC(dc_);
        }
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC Get() const { return dc_; }

  private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

template <typename T>
T Read(std::span<const unsigned char> bytes, std::size_t at) {
    T value;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

// An icon image of the classic format is a bitmap of twice the height: the colours, then the
// AND mask. Such an image of the list's size goes into the strips as it is, without making an
// icon of it first, which costs most of the time under Wine. False for any other image.
bool CopyClassicImage(std::span<const unsigned char> image, HDC colours, HDC mask, int left,
                      int size) {
    if (image.size() < sizeof(BITMAPINFOHEADER)) {
        return false;
    }
    auto header = Read<BITMAPINFOHEADER>(image, 0);
    const int bits = header.biBitCount;
    if (header.biSize != sizeof header || header.biWidth != size || header.biHeight != 2 * size ||
        header.biPlanes != 1 || header.biCompression != BI_RGB ||
        (bits != 1 && bits != 4 && bits != 8)) {
        return false;
    }
    const std::size_t paletteSize =
        (header.biClrUsed != 0 && header.biClrUsed < (1u << bits) ? header.biClrUsed : 1u << bits) *
        sizeof(RGBQUAD);
    const std::size_t colourStride = ((size * bits + 31) / 32) * 4;
    const std::size_t maskStride = ((size + 31) / 32) * 4;
    const std::size_t colourBits = sizeof header + paletteSize;
    const std::size_t maskBits = colourBits + colourStride * size;
    if (image.size() < maskBits + maskStride * size) {
        return false;
    }

    std::vector<unsigned char> info(sizeof header + paletteSize);
    header.biHeight = size;
    header.biSizeImage = 0;
    std::memcpy(info.data(), &header, sizeof header);
    std::memcpy(info.data() + sizeof header, image.data() + sizeof header, paletteSize);
    SetDIBitsToDevice(colours, left, 0, size, size, 0, 0, 0, size, image.data() + colourBits,
                      reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD palette[2];
    } maskInfo{{sizeof(BITMAPINFOHEADER), size, size, 1, 1, BI_RGB, 0, 0, 0, 2, 2},
               {{0, 0, 0, 0}, {255, 255, 255, 0}}};
    SetDIBitsToDevice(mask, left, 0, size, size, 0, 0, 0, size, image.data() + maskBits,
                      reinterpret_cast<const BITMAPINFO*>(&maskInfo), DIB_RGB_COLORS);
    return true;
}

// All pictures side by side in one colour strip and one mask strip, added to the list in a
// single call: adding them one by one costs a list reallocation and a conversion per picture.
HIMAGELIST BuildLibraryImageList() {
    const int count = LibraryIconCount();
    const int size = kLibraryImageSize;
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, count, 0);
    if (!list || count == 0) {
        return list;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size * count;
    info.bmiHeader.biHeight = size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap colours(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueBitmap mask(CreateBitmap(size * count, size, 1, 1, nullptr));
    if (!colours || !mask) {
        ImageList_Destroy(list);
        return nullptr;
    }
    {
        MemoryCanvas colourCanvas(colours.Get());
        MemoryCanvas maskCanvas(mask.Get());
        // A missing picture stays black and fully transparent.
        PatBlt(maskCanvas.Get(), 0, 0, size * count, size, WHITENESS);
        for (int entry = 1; entry <= count; ++entry) {
            const int left = (entry - 1) * size;
            if (CopyClassicImage(LibraryIconImage(entry, size), colourCanvas.Get(),
                                 maskCanvas.Get(), left, size)) {
                continue;
            }
            // Any other image (another size, a PNG image) the system draws.
            if (const UniqueIcon icon = LibraryIconPicture(entry, size)) {
                DrawIconEx(colourCanvas.Get(), left, 0, icon.Get(), size, size, 0, nullptr,
                           DI_IMAGE);
                DrawIconEx(maskCanvas.Get(), left, 0, icon.Get(), size, size, 0, nullptr, DI_MASK);
            }
        }
    }
    if (ImageList_Add(list, colours.Get(), mask.Get()) < 0) {
        ImageList_Destroy(list);
        return nullptr;
    }
    return list;
}

struct ImageListHolder {
    HIMAGELIST list = BuildLibraryImageList();
    ~ImageListHolder() {
        if (list) {
            ImageList_Destroy(list);
        }
    }
};

}  // namespace

HIMAGELIST LibraryImageList() {
    static const ImageListHolder holder;
    return holder.list;
}

}  // namespace velquor
