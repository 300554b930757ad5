// Owners of Win32 window and GDI handles: each frees its handle exactly once.
#pragma once
#include <windows.h>

#include "platform/UniqueHandle.h"

namespace orvo::ui {

using TWindowHandle = platform::TUniqueHandle<platform::TWindowPolicy>;
using TFontHandle = platform::TUniqueHandle<platform::TGdiObjectPolicy<HFONT>>;
using TBitmapHandle = platform::TUniqueHandle<platform::TGdiObjectPolicy<HBITMAP>>;
using TMemoryDC = platform::TUniqueHandle<platform::TMemoryDCPolicy>;

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
