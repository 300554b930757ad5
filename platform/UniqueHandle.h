// One owner for every handle the system lends us: files, folder listings, libraries, windows,
// GDI objects. Each is released exactly once, by the policy that knows how. A policy names the
// handle type, the value that means "no handle" and the call that releases one:
//   struct TPolicy { using Handle = ...; static Handle Empty(); static void Close(Handle); };
#pragma once
#include <utility>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dirent.h>
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace orvo::platform {

template <class Policy>
class TUniqueHandle {
public:
    using Handle = typename Policy::Handle;

    TUniqueHandle() noexcept = default;
    explicit TUniqueHandle(Handle handle) noexcept : handle_(handle) {}
    TUniqueHandle(TUniqueHandle&& other) noexcept : handle_(other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ~TUniqueHandle() { Reset(); }

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Policy::Empty(); }
    // Releases the handle held (if any) and holds handle instead.
    void Reset(Handle handle = Policy::Empty()) noexcept {
        if (*this) Policy::Close(handle_);
        handle_ = handle;
    }
    // Gives the handle up unreleased, for a caller that closes it itself to see the result.
    [[nodiscard]] Handle Release() noexcept { return std::exchange(handle_, Policy::Empty()); }

private:
    Handle handle_ = Policy::Empty();
};

// A handle whose empty value is null, given back with Release(handle).
template <class H, auto Release>
struct TNullHandlePolicy {
    using Handle = H;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { Release(h); }
};

#if defined(_WIN32)
// A handle whose empty value is INVALID_HANDLE_VALUE: a file or other kernel object that
// CreateFile and its kin return (CloseHandle), a folder listing begun with FindFirstFile
// (FindClose).
template <auto Release>
struct TKernelHandlePolicy {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { Release(h); }
};

// A top-level window; its child windows go with it.
using TWindowPolicy = TNullHandlePolicy<HWND, &DestroyWindow>;
// Fonts, bitmaps, brushes, pens: any GDI object of type Object.
template <class Object>
using TGdiObjectPolicy = TNullHandlePolicy<Object, &DeleteObject>;
// A device context made with CreateCompatibleDC (one lent by GetDC goes back with ReleaseDC).
using TMemoryDCPolicy = TNullHandlePolicy<HDC, &DeleteDC>;

using TFileHandle = TUniqueHandle<TKernelHandlePolicy<&CloseHandle>>;
using TFindHandle = TUniqueHandle<TKernelHandlePolicy<&FindClose>>;
using TLibraryHandle = TUniqueHandle<TNullHandlePolicy<HMODULE, &FreeLibrary>>;
#else
struct TFileDescriptorPolicy {
    using Handle = int;
    static Handle Empty() noexcept { return -1; }
    static void Close(Handle fd) noexcept { ::close(fd); }
};

using TFileHandle = TUniqueHandle<TFileDescriptorPolicy>;
// A folder listing begun with opendir.
using TFolderStream = TUniqueHandle<TNullHandlePolicy<DIR*, &::closedir>>;
using TLibraryHandle = TUniqueHandle<TNullHandlePolicy<void*, &::dlclose>>;
#endif

}  // namespace orvo::platform
