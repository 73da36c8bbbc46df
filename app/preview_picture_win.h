// The picture in step (4)'s icon preview: an icon (the placeholder, the default disc, a library
// entry) or a picture the platform's loader made of a picked file, which may also be a bitmap,
// a GIF, a JPEG or a metafile renamed to .ico.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <string>

#include "util/unique_handle_win.h"

namespace velquor {

class PreviewPicture {
  public:
    PreviewPicture() = default;
    ~PreviewPicture() { Clear(); }
    PreviewPicture(const PreviewPicture&) = delete;
    PreviewPicture& operator=(const PreviewPicture&) = delete;

    void ShowIcon(UniqueIcon icon);
    // False, keeping the old picture, when the platform's loader refuses the file.
    bool LoadFile(const std::wstring& path);

    bool Empty() const { return !icon_ && !picture_; }
    // Fills the box with the window's face colour and draws the picture scaled to fit.
    void Draw(HDC dc, const RECT& box) const;

  private:
    void Clear();

    UniqueIcon icon_;
    IPicture* picture_ = nullptr;
};

}  // namespace velquor
