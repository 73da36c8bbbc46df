#include "app/preview_picture_win.h"

#include <algorithm>
#include <vector>

#include "autorun/icon_file.h"
#include "util/file_services.h"

namespace velquor {

namespace {

// The picture loader trusts an icon's directory: an image said to lie past the end of the file
// makes it read outside the file's bytes, which ends the program under Wine. A file that begins
// as an icon is therefore checked first; other formats are left to the loader.
bool IsDamagedIcon(const std::wstring& path) {
    const auto bytes = ReadSmallFile(path, MAXLONG);
    if (!bytes) {
        return false;  // the loader finds out for itself
    }
    const unsigned char iconStart[] = {0, 0, 1, 0};
    return bytes->size() >= 4 && std::equal(iconStart, iconStart + 4, bytes->begin()) &&
           !ParseIconFile(*bytes).ok();
}

}  // namespace

void PreviewPicture::ShowIcon(UniqueIcon icon) {
    Clear();
    icon_ = std::move(icon);
}

bool PreviewPicture::LoadFile(const std::wstring& path) {
    if (IsDamagedIcon(path)) {
        return false;
    }
    IPicture* loaded = nullptr;
    const HRESULT result = OleLoadPicturePath(const_cast<LPOLESTR>(path.c_str()), nullptr, 0, 0,
                                              IID_IPicture, reinterpret_cast<void**>(&loaded));
    if (FAILED(result) || !loaded) {
        return false;
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (FAILED(loaded->get_Width(&width)) || FAILED(loaded->get_Height(&height)) || width <= 0 ||
        height <= 0) {
        loaded->Release();
        return false;
    }
    Clear();
    picture_ = loaded;
    return true;
}

void PreviewPicture::Draw(HDC dc, const RECT& box) const {
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    const int boxWidth = box.right - box.left;
    const int boxHeight = box.bottom - box.top;
    if (icon_) {
        DrawIconEx(dc, box.left, box.top, icon_.Get(), boxWidth, boxHeight, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!picture_) {
        return;
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    // Scaled to fit, keeping its proportions, centred in the box.
    const double scale =
        std::min(static_cast<double>(boxWidth) / width, static_cast<double>(boxHeight) / height);
    const int drawWidth = std::max(1, static_cast<int>(width * scale + 0.5));
    const int drawHeight = std::max(1, static_cast<int>(height * scale + 0.5));
    const int left = box.left + (boxWidth - drawWidth) / 2;
    const int top = box.top + (boxHeight - drawHeight) / 2;
    // The picture's y axis runs upwards: start at its bottom edge and draw with a negative height.
    picture_->Render(dc, left, top, drawWidth, drawHeight, 0, height, width, -height, &box);
}

void PreviewPicture::Clear() {
    icon_.Reset();
    if (picture_) {
        picture_->Release();
        picture_ = nullptr;
    }
}

}  // namespace velquor
