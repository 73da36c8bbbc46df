#include "dialogs/library_image_list_win.h"

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
            const UniqueIcon icon = LibraryIconPicture(entry, size);
            const int left = (entry - 1) * size;
            if (icon) {
                DrawIconEx(colourCanvas.Get(), left, 0, icon.Get(), size, size, 0, nullptr,
                           DI_IMAGE);
                DrawIconEx(maskCanvas.Get(), left, 0, icon.Get(), size, size, 0, nullptr,
                           DI_MASK);
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
