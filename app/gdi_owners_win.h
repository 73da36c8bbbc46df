// Move-only owners for the GDI objects and icons that the windows create.
#pragma once

#include <windows.h>

#include <utility>

namespace velquor {

template <typename Handle, BOOL(WINAPI* Release)(Handle)>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle h = nullptr) {
        if (handle_) {
            Release(handle_);
        }
        handle_ = h;
    }

  private:
    Handle handle_ = nullptr;
};

inline BOOL WINAPI DeleteFontObject(HFONT font) {
    return DeleteObject(font);
}
inline BOOL WINAPI DeleteBitmapObject(HBITMAP bitmap) {
    return DeleteObject(bitmap);
}

using UniqueFont = UniqueHandle<HFONT, DeleteFontObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteBitmapObject>;
using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;

}  // namespace velquor
