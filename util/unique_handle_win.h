// One move-only owner for every kind of handle the program opens: files, searches, GDI objects,
// icons, registry keys and services. Each kind names its "no handle" value and its release function
// in a traits type.
#pragma once

#include <windows.h>

#include <utility>

namespace velquor {

template <typename Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    ~UniqueHandle() { Close(); }
    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, Traits::Invalid()));
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }
    void Reset(Handle h = Traits::Invalid()) {
        Close();
        handle_ = h;
    }
    // Releases the handle now. False when the release itself failed, which matters for a
    // written file: closing it is the last chance to hear of a failed write.
    bool Close() {
        const bool released = !*this || Traits::Release(handle_);
        handle_ = Traits::Invalid();
        return released;
    }

  private:
    Handle handle_ = Traits::Invalid();
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Release(Handle h) { return CloseHandle(h) != FALSE; }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Release(Handle h) { return FindClose(h) != FALSE; }
};

template <typename GdiHandle>
struct GdiObjectTraits {
    using Handle = GdiHandle;
    static Handle Invalid() { return nullptr; }
    static bool Release(Handle h) { return DeleteObject(h) != FALSE; }
};

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static bool Release(Handle h) { return DestroyIcon(h) != FALSE; }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static bool Release(Handle h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};

struct ServiceHandleTraits {
    using Handle = SC_HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool Release(Handle h) { return CloseServiceHandle(h) != FALSE; }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueService = UniqueHandle<ServiceHandleTraits>;

}  // namespace velquor
