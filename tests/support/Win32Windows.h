// Looking at and driving real windows from outside, as a cashier's hands would: finding them by
// caption, reading their children, clicking, pressing keys, waiting for them to go, and taking
// screenshots.
// Windows only; the thread that shows a form sits in its modal loop while another drives it.
#pragma once
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ui/Win32Handles.h"

namespace orvo::test {

inline std::string ClassOf(HWND window) {
    char name[64];
    return std::string(name, size_t(GetClassNameA(window, name, sizeof name)));
}

inline std::string TextOf(HWND window) {
    char text[256];
    return std::string(text, size_t(GetWindowTextA(window, text, sizeof text)));
}

// A child window as seen from outside: bounds in its parent's client coordinates, font as created.
struct TChildWindow {
    HWND handle = nullptr;
    HWND parent = nullptr;
    std::string className, text;
    RECT bounds{};
    std::string fontFace;
    LONG fontHeight = 0;
    LONG style = 0;
};

inline TChildWindow Inspect(HWND child) {
    TChildWindow seen;
    seen.handle = child;
    seen.parent = GetParent(child);
    seen.className = ClassOf(child);
    seen.text = TextOf(child);
    GetWindowRect(child, &seen.bounds);
    MapWindowPoints(HWND_DESKTOP, seen.parent, reinterpret_cast<POINT*>(&seen.bounds), 2);
    LOGFONTA font{};
    if (auto handle = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
        handle && GetObjectA(handle, sizeof font, &font)) {
        seen.fontFace = font.lfFaceName;
        seen.fontHeight = font.lfHeight;
    }
    seen.style = GetWindowLongA(child, GWL_STYLE);
    return seen;
}

inline BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<TChildWindow>*>(list)->push_back(Inspect(child));
    return TRUE;
}

// Every descendant, depth first in Z order: the order the form created them in.
inline std::vector<TChildWindow> ChildWindows(HWND window) {
    std::vector<TChildWindow> children;
    EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

// Polls for up to ten seconds; false when the condition never came about.
inline bool WaitUntil(const std::function<bool()>& done) {
    using namespace std::chrono_literals;
    for (auto until = std::chrono::steady_clock::now() + 10s; std::chrono::steady_clock::now() < until;) {
        if (done()) return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

inline HWND WaitFor(const std::function<HWND()>& find) {
    HWND window = nullptr;
    return WaitUntil([&] { return (window = find()) && IsWindowVisible(window); }) ? window : nullptr;
}

struct TSoughtWindow {
    const char *className, *caption;
    HWND found;
};

inline BOOL CALLBACK MatchOwnTopLevel(HWND window, LPARAM param) {
    auto& sought = *reinterpret_cast<TSoughtWindow*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || TextOf(window) != sought.caption) return TRUE;
    if (sought.className && _stricmp(ClassOf(window).c_str(), sought.className) != 0) return TRUE;
    sought.found = window;
    return FALSE;
}

// A top-level window of this process with that caption (and class, when given). Other test
// programs may show windows with the same captions on the same desktop at the same time.
inline HWND FindOwnTopLevel(const char* className, const char* caption) {
    TSoughtWindow sought{className, caption, nullptr};
    EnumWindows(&MatchOwnTopLevel, reinterpret_cast<LPARAM>(&sought));
    return sought.found;
}

inline HWND WaitForTopLevel(const char* className, const char* caption) {
    return WaitFor([=] { return FindOwnTopLevel(className, caption); });
}

inline bool WaitUntilGone(HWND window) {
    return WaitUntil([=] { return !IsWindow(window); });
}

inline bool IsClass(const TChildWindow& window, const char* className) {
    return _stricmp(window.className.c_str(), className) == 0;
}

inline HWND ChildWithText(HWND parent, const char* className, const std::string& text) {
    for (const TChildWindow& child : ChildWindows(parent))
        if (IsClass(child, className) && child.text == text) return child.handle;
    return nullptr;
}

// A real left click at the middle of the window, through the system's input queue.
inline void MouseClick(HWND window) {
    RECT bounds;
    GetWindowRect(window, &bounds);
    SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    INPUT clicks[2]{};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

// Keys pressed together through the system's input queue, as fingers would: down in the order
// given, up in reverse ({VK_MENU, VK_F4} is Alt+F4). They reach the foreground window.
inline void PressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> strokes;
    const auto stroke = [&](WORD key, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = WORD(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = flags;
        strokes.push_back(input);
    };
    for (WORD key : keys) stroke(key, 0);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) stroke(*key, KEYEVENTF_KEYUP);
    SendInput(UINT(strokes.size()), strokes.data(), sizeof(INPUT));
}

inline HWND FocusOfThreadOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Writes the window's client area, as it is on the screen, to a 24-bit .bmp file. (Without a
// window manager nobody draws the title bar and frame.)
inline bool SaveScreenshot(HWND window, const std::filesystem::path& file) {
    using namespace std::chrono_literals;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Painting a window of another thread waits for that thread's message loop to come round.
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) std::this_thread::sleep_for(300ms);
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int width = client.right, height = client.bottom;
    const ui::TWindowDC screen(nullptr);
    const ui::TMemoryDC memory(CreateCompatibleDC(screen.Get()));
    const ui::TBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!memory || !bitmap) return false;
    {
        const ui::TSelectObject select(memory.Get(), bitmap.Get());
        if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), origin.x, origin.y, SRCCOPY)) return false;
    }
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD stride = DWORD((width * 3 + 3) & ~3);
    std::vector<char> pixels(size_t(stride) * size_t(height));
    if (!GetDIBits(memory.Get(), bitmap.Get(), 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS)) return false;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + DWORD(pixels.size());
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(pixels.data(), std::streamsize(pixels.size()));
    return bool(out);
}

// The cashier's thread. Whatever happens to it, the modal loop on the test thread ends: if the
// window never showed up, a WM_QUIT ends it (and is swallowed afterwards).
class TCashier {
public:
    explicit TCashier(std::function<void(HWND form)> work, const char* caption)
        : uiThread_(GetCurrentThreadId()),
          done_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          thread_([this, work, caption] {
              HWND form = WaitForTopLevel(nullptr, caption);
              if (form)
                  work(form);
              else
                  PostThreadMessageA(uiThread_, WM_QUIT, 0, 0);
              found = form != nullptr;
              SetEvent(done_);
          }) {}
    ~TCashier() {
        Join();
        CloseHandle(done_);
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    // Waits for the cashier, answering the messages it sends meanwhile: reading a control's text
    // sends to this thread, and a read begun just before the window closed would otherwise wait
    // for this thread while this thread waits for it.
    void Join() {
        if (!thread_.joinable()) return;
        while (MsgWaitForMultipleObjects(1, &done_, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG sent;
            PeekMessageA(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        thread_.join();
    }
    bool found = false;

private:
    DWORD uiThread_;
    HANDLE done_;
    std::thread thread_;
};

}  // namespace orvo::test
