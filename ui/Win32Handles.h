// Owners of Win32 window and GDI handles: each frees its handle exactly once.
#pragma once
#include <windows.h>

#include <utility>

namespace orvo::ui {

template <class Handle, class Traits>
class TUniqueHandle {
public:
    TUniqueHandle() noexcept = default;
    explicit TUniqueHandle(Handle handle) noexcept : handle_(handle) {}
    TUniqueHandle(TUniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    ~TUniqueHandle() { Reset(); }

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Handle{}; }
    void Reset(Handle handle = Handle{}) noexcept {
        if (handle_) Traits::Free(handle_);
        handle_ = handle;
    }

private:
    Handle handle_{};
};

struct TWindowTraits {
    static void Free(HWND window) { DestroyWindow(window); }
};
struct TGdiObjectTraits {
    static void Free(HGDIOBJ object) { DeleteObject(object); }
};
struct TMemoryDCTraits {
    static void Free(HDC dc) { DeleteDC(dc); }
};

// A top-level window; its child windows go with it.
using TWindowHandle = TUniqueHandle<HWND, TWindowTraits>;
using TFontHandle = TUniqueHandle<HFONT, TGdiObjectTraits>;
using TBitmapHandle = TUniqueHandle<HBITMAP, TGdiObjectTraits>;
using TMemoryDC = TUniqueHandle<HDC, TMemoryDCTraits>;

// The device context of a window (or of the screen, for a null window), released on scope exit.
class TWindowDC {
public:
    explicit TWindowDC(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~TWindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC Get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a device context and puts the previous one back on scope exit.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~TSelectObject() { SelectObject(dc_, previous_); }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace orvo::ui
