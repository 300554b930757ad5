// The Win32 presenter: real windows made from the form model, shown in a modal loop of our own.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "module/Log.h"
#include "platform/DateTime.h"
#include "ui/Presenters.h"
#include "ui/Win32Handles.h"

namespace orvo::ui {
namespace {

constexpr char kFormClassName[] = "OrvoExtraPaymentsForm";
// Control identifiers start clear of IDOK and IDCANCEL: the dialog manager sends those for
// Enter and Escape, and these forms have no default or cancel button.
constexpr int kFirstControlId = 100;

HINSTANCE ModuleInstance() {
    static const char anchor = 0;
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, &anchor,
                       &module);
    return module;
}

void InitCommonControlsOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
        InitCommonControlsEx(&classes);
    });
}

[[noreturn]] void RaiseLastError(const std::string& what) {
    throw EOrvoError("Could not create " + what + " (Windows error " + std::to_string(GetLastError()) + ")");
}

// Window classes that a library registers outlive it. The form class is registered for each
// show and withdrawn after it, so a library loaded again never meets a class that points into
// its unloaded code. A form shown from inside another finds the class there and leaves it.
class TFormWindowClass {
public:
    explicit TFormWindowClass(WNDPROC windowProc) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = ModuleInstance();
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kFormClassName;
        registered_ = RegisterClassExA(&windowClass) != 0;
        if (!registered_ && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) RaiseLastError("the form window class");
    }
    ~TFormWindowClass() {
        if (registered_) UnregisterClassA(kFormClassName, ModuleInstance());
    }
    TFormWindowClass(const TFormWindowClass&) = delete;
    TFormWindowClass& operator=(const TFormWindowClass&) = delete;

private:
    bool registered_ = false;
};

// The thread's other top-level windows are disabled while a modal form is open, and enabled
// again before the form window is destroyed, so that Windows hands the activation back to
// them rather than to another program.
class TDisabledThreadWindows {
public:
    explicit TDisabledThreadWindows(HWND modal) : modal_(modal) {
        EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(this));
    }
    ~TDisabledThreadWindows() {
        for (HWND window : disabled_)
            if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    TDisabledThreadWindows(const TDisabledThreadWindows&) = delete;
    TDisabledThreadWindows& operator=(const TDisabledThreadWindows&) = delete;

private:
    static BOOL CALLBACK DisableOne(HWND window, LPARAM self) {
        auto& windows = *reinterpret_cast<TDisabledThreadWindows*>(self);
        if (window != windows.modal_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            windows.disabled_.push_back(window);
        }
        return TRUE;
    }
    HWND modal_;
    std::vector<HWND> disabled_;
};

// Group boxes hold controls of their own. The BUTTON class neither passes its children's
// notifications up nor paints its inside, so a form's group boxes hand the notifications to the
// form window and fill their inside with the face colour.
LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_NOTIFY)
        return SendMessageA(GetAncestor(box, GA_ROOT), message, wParam, lParam);
    if (message == WM_ERASEBKGND) {
        RECT inside;
        GetClientRect(box, &inside);
        FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    const auto buttonProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(box, GWLP_USERDATA));
    return CallWindowProcA(buttonProc, box, message, wParam, lParam);
}

SYSTEMTIME ToSystemTime(TDateTime value) {
    const TDateParts parts = DecodeDateTime(value);
    SYSTEMTIME time{};
    time.wYear = WORD(parts.Year);
    time.wMonth = WORD(parts.Month);
    time.wDayOfWeek = WORD(DayOfTheWeek(value) % 7);  // Sunday 0
    time.wDay = WORD(parts.Day);
    time.wHour = WORD(parts.Hour);
    time.wMinute = WORD(parts.Minute);
    time.wSecond = WORD(parts.Second);
    time.wMilliseconds = WORD(parts.Millisecond);
    return time;
}

TDateTime ToDateTime(const SYSTEMTIME& time) {
    return EncodeDate(time.wYear, time.wMonth, time.wDay) +
           EncodeTime(time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
}

std::string WindowText(HWND window) {
    std::string text(size_t(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(size_t(GetWindowTextA(window, text.data(), int(text.size()))));
    return text;
}

// The application's main window: the root owner of the thread's active window.
HWND MainWindowOf(HWND active) {
    HWND root = active ? GetAncestor(active, GA_ROOTOWNER) : nullptr;
    return root && IsWindowVisible(root) && !IsIconic(root) ? root : nullptr;
}

// Top-left corner of a window of the given size centred over another window, or over the
// work area of the primary monitor when there is none; kept on that work area.
POINT CentredPosition(int width, int height, HWND over) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(over, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    RECT area = work;
    if (over) GetWindowRect(over, &area);
    const LONG x = area.left + (area.right - area.left - width) / 2;
    const LONG y = area.top + (area.bottom - area.top - height) / 2;
    return {std::clamp(x, work.left, std::max(work.left, work.right - width)),
            std::clamp(y, work.top, std::max(work.top, work.bottom - height))};
}

class TWin32Form final : public TFormPresenter {
public:
    explicit TWin32Form(TForm& form) : form_(form), controls_(form.Controls().size()) {
        const TWindowDC screen(nullptr);
        dpi_ = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
        if (dpi_ <= 0) dpi_ = 96;
        form_.AttachPresenter(this);
    }
    ~TWin32Form() { form_.AttachPresenter(nullptr); }
    TWin32Form(const TWin32Form&) = delete;
    TWin32Form& operator=(const TWin32Form&) = delete;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void ShowModal() {
        HWND active = GetActiveWindow();
        CreateFormWindow(active, MainWindowOf(active));
        bool quit = false;
        WPARAM quitCode = 0;
        {
            const TDisabledThreadWindows disabled(window_.Get());
            const TControl* focused = form_.FocusedControl();
            lastFocus_ = focused ? HandleOf(*focused) : GetNextDlgTabItem(window_.Get(), nullptr, FALSE);
            MarkDefaultButton(lastFocus_);
            ShowWindow(window_.Get(), SW_SHOWNORMAL);
            if (lastFocus_) SetFocus(lastFocus_);
            MSG message;
            while (form_.ModalResult() == mrNone) {
                const BOOL got = GetMessageA(&message, nullptr, 0, 0);
                if (got <= 0) {  // WM_QUIT ends the modal loop and is passed on to the loop outside
                    quit = got == 0;
                    quitCode = message.wParam;
                    break;
                }
                MarkDefaultButton(GetFocus());  // before a key reads it
                if (!IsDialogMessageA(window_.Get(), &message)) {
                    TranslateMessage(&message);
                    DispatchMessageA(&message);
                }
                MarkDefaultButton(GetFocus());  // the frame follows a click at once
            }
        }
        window_.Reset();
        if (quit) PostQuitMessage(int(quitCode));
    }

private:
    // TFormPresenter: the form logic changed something while the window is open.
    void CaptionChanged() override {
        if (window_) SetWindowTextA(window_.Get(), form_.Style().Caption.c_str());
    }
    void TextChanged(const TControl& control) override {
        if (HWND window = HandleOf(control)) {
            updating_ = true;
            SetWindowTextA(window, control.Text.c_str());
            updating_ = false;
        }
    }
    void DateChanged(const TControl& control) override {
        if (HWND window = HandleOf(control)) {
            SYSTEMTIME time = ToSystemTime(control.Date);
            updating_ = true;
            SendMessageA(window, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
            updating_ = false;
        }
    }

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_COMMAND:
                OnCommand(HIWORD(wParam), reinterpret_cast<HWND>(lParam));
                return 0;
            case WM_NOTIFY:
                OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
                return 0;
            case WM_ACTIVATE:
                OnActivate(LOWORD(wParam), HIWORD(wParam) != 0);
                return 0;
            case WM_SIZE:
                OnSize();
                return 0;
            case WM_GETMINMAXINFO:  // the closing buttons stay within reach
                reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = designedSize_;
                return 0;
            case WM_NCDESTROY:
                OnDestroyed();
                return DefWindowProcA(window, message, wParam, lParam);
            case WM_CLOSE:
                form_.Close();
                WakeModalLoop();
                return 0;
            default:
                return DefWindowProcA(window, message, wParam, lParam);
        }
    }

    void OnCommand(WORD code, HWND sender) {
        TControl* control = ControlOf(sender);
        if (!control) return;  // Enter and Escape, sent as IDOK and IDCANCEL without a control
        if (code == BN_CLICKED && control->Kind == TFormControlKind::Button) Click(*control);
        if (code == EN_CHANGE && control->Kind == TFormControlKind::Edit && !updating_)
            form_.UserEdited(*control, WindowText(sender));
    }

    void OnNotify(const NMHDR& header) {
        TControl* control = ControlOf(header.hwndFrom);
        if (!control || control->Kind != TFormControlKind::DatePicker || header.code != DTN_DATETIMECHANGE || updating_)
            return;
        const auto& change = reinterpret_cast<const NMDATETIMECHANGE&>(header);
        if (change.dwFlags == GDT_VALID) form_.UserPickedDate(*control, ToDateTime(change.st));
    }

    // The focus leaves with the activation and comes back to the same control.
    void OnActivate(WORD state, bool minimized) {
        if (state == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_.Get(), focus)) lastFocus_ = focus;
        } else if (!minimized && lastFocus_) {
            SetFocus(lastFocus_);
        }
    }

    // Top-aligned controls keep the full width of their parent.
    void OnSize() {
        for (size_t i = 0; i < controls_.size(); ++i) {
            const TControl& control = form_.Controls()[i];
            if (!control.AlignedTop || !controls_[i]) continue;
            RECT parent;
            GetClientRect(control.Parent ? HandleOf(*control.Parent) : window_.Get(), &parent);
            SetWindowPos(controls_[i], nullptr, 0, 0, parent.right, Scale(control.Bounds.Height),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    // Destroyed, at the modal loop's end or by someone else (its owner closing while it is open):
    // the handles are gone, and the form closes as with the close box unless it has a result.
    // With no window left, the wake-up is a message to the thread.
    void OnDestroyed() {
        (void)window_.Release();
        std::fill(controls_.begin(), controls_.end(), nullptr);
        lastFocus_ = markedFocus_ = nullptr;
        if (form_.ModalResult() != mrNone) return;
        form_.Close();
        WakeModalLoop();
    }

    // A click handler's error is shown with its message; the window stays open.
    void Click(TControl& button) {
        try {
            form_.Press(button);
        } catch (...) {
            const std::string message = LogCaught();
            MessageBoxA(window_.Get(), message.c_str(), form_.Style().Caption.c_str(), MB_OK | MB_ICONERROR);
        }
        if (form_.ModalResult() != mrNone) WakeModalLoop();
    }

    // Enter presses the default push button, and the dialog manager moves the default along with
    // Tab only. The forms name no default button of their own, so the focused push button is the
    // default and shows its frame, from the first paint and whatever moved the focus (Tab, a
    // click, an accelerator); with the focus in a box or a date picker no button is.
    void MarkDefaultButton(HWND focus) {
        if (!focus || focus == markedFocus_ || !IsChild(window_.Get(), focus)) return;
        markedFocus_ = focus;
        for (size_t i = 0; i < controls_.size(); ++i) {
            if (form_.Controls()[i].Kind != TFormControlKind::Button || !controls_[i]) continue;
            const LONG_PTR style = controls_[i] == focus ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            if ((GetWindowLongPtrA(controls_[i], GWL_STYLE) & BS_TYPEMASK) != style)
                SendMessageA(controls_[i], BM_SETSTYLE, WPARAM(style), TRUE);
        }
    }

    // A click sent from another thread runs inside GetMessage, which would go on waiting.
    void WakeModalLoop() { PostMessageA(window_.Get(), WM_NULL, 0, 0); }

    void CreateFormWindow(HWND owner, HWND mainWindow) {
        const TFormStyle& style = form_.Style();
        DWORD windowStyle = WS_CAPTION | WS_CLIPCHILDREN;
        DWORD extendedStyle = WS_EX_CONTROLPARENT;
        if (style.BorderStyle == TBorderStyle::Sizeable) {
            windowStyle |= WS_OVERLAPPED | WS_THICKFRAME;
        } else {
            windowStyle |= WS_POPUP;
            extendedStyle |= WS_EX_DLGMODALFRAME;
        }
        if (style.BorderIcons.SystemMenu) windowStyle |= WS_SYSMENU;
        if (style.BorderIcons.Minimize) windowStyle |= WS_MINIMIZEBOX;
        if (style.BorderIcons.Maximize) windowStyle |= WS_MAXIMIZEBOX;
        RECT frame{0, 0, Scale(style.ClientWidth), Scale(style.ClientHeight)};
        AdjustWindowRectEx(&frame, windowStyle, FALSE, extendedStyle);
        designedSize_ = {frame.right - frame.left, frame.bottom - frame.top};
        const POINT at = CentredPosition(designedSize_.x, designedSize_.y,
                                         style.Position == TFormPosition::MainFormCenter ? mainWindow : nullptr);
        HWND window = CreateWindowExA(extendedStyle, kFormClassName, style.Caption.c_str(), windowStyle, at.x, at.y,
                                      designedSize_.x, designedSize_.y, owner, nullptr, ModuleInstance(), this);
        if (!window) RaiseLastError("the window of " + form_.ClassName());
        window_.Reset(window);
        CreateChildren(nullptr, window);
    }

    // Children are created in tab order, which is the order Tab walks them in.
    void CreateChildren(const TControl* parent, HWND parentWindow) {
        std::vector<size_t> children;
        for (size_t i = 0; i < controls_.size(); ++i)
            if (form_.Controls()[i].Parent == parent) children.push_back(i);
        std::stable_sort(children.begin(), children.end(), [&](size_t a, size_t b) {
            return form_.Controls()[a].TabOrder < form_.Controls()[b].TabOrder;
        });
        for (size_t i : children) {
            controls_[i] = CreateControl(form_.Controls()[i], i, parentWindow);
            if (form_.Controls()[i].Kind == TFormControlKind::GroupBox)
                CreateChildren(&form_.Controls()[i], controls_[i]);
        }
    }

    HWND CreateControl(const TControl& control, size_t index, HWND parent) {
        const char* className = WC_BUTTONA;
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD extendedStyle = 0;
        switch (control.Kind) {
            case TFormControlKind::GroupBox:
                style |= BS_GROUPBOX | WS_CLIPCHILDREN;
                extendedStyle = WS_EX_CONTROLPARENT;
                break;
            case TFormControlKind::Button:
                style |= BS_PUSHBUTTON | WS_TABSTOP;
                break;
            case TFormControlKind::Edit:
                className = WC_EDITA;
                style |= ES_AUTOHSCROLL | WS_TABSTOP | (control.ReadOnly ? ES_READONLY : 0);
                extendedStyle = WS_EX_CLIENTEDGE;
                break;
            case TFormControlKind::Label:
                className = WC_STATICA;
                style |= control.CentredText ? SS_CENTER : SS_LEFT;
                break;
            case TFormControlKind::DatePicker:
                className = DATETIMEPICK_CLASSA;
                style |= DTS_SHORTDATEFORMAT | WS_TABSTOP;
                break;
        }
        const TBounds& at = control.Bounds;
        HWND window =
            CreateWindowExA(extendedStyle, className, control.Text.c_str(), style, Scale(at.Left), Scale(at.Top),
                            Scale(at.Width), Scale(at.Height), parent,
                            reinterpret_cast<HMENU>(INT_PTR(kFirstControlId + int(index))), ModuleInstance(), nullptr);
        if (!window) RaiseLastError(control.Name);
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control.Font)), FALSE);
        if (control.MaxLength > 0) SendMessageA(window, EM_LIMITTEXT, WPARAM(control.MaxLength), 0);
        if (control.Kind == TFormControlKind::GroupBox) {
            SetWindowLongPtrA(window, GWLP_USERDATA, GetWindowLongPtrA(window, GWLP_WNDPROC));
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GroupBoxProc));
        }
        if (control.Kind == TFormControlKind::DatePicker) {
            SYSTEMTIME time = ToSystemTime(control.Date);
            SendMessageA(window, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
        }
        return window;
    }

    // Fonts by face and character height (a negative LOGFONT height), one per pair.
    HFONT FontFor(const TFont& font) {
        TFontHandle& handle = fonts_[{font.Face, font.Height}];
        if (!handle) {
            handle.Reset(CreateFontA(-Scale(font.Height), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH | FF_DONTCARE, font.Face.c_str()));
            if (!handle) RaiseLastError("the font " + font.Face);
        }
        return handle.Get();
    }

    // Layout pixels are at 96 dpi.
    int Scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }

    HWND HandleOf(const TControl& control) const {
        for (size_t i = 0; i < controls_.size(); ++i)
            if (&form_.Controls()[i] == &control) return controls_[i];
        return nullptr;
    }

    TControl* ControlOf(HWND window) {
        if (!window) return nullptr;
        for (size_t i = 0; i < controls_.size(); ++i)
            if (controls_[i] == window) return form_.ControlAt(int32_t(i));
        return nullptr;
    }

    TForm& form_;
    int dpi_ = 96;
    std::map<std::pair<std::string, int32_t>, TFontHandle> fonts_;  // outlive the windows using them
    std::vector<HWND> controls_;                                    // by control index; the form window destroys them
    TWindowHandle window_;
    POINT designedSize_{};  // of the whole window, frame included, at the screen's dpi
    HWND lastFocus_ = nullptr;
    HWND markedFocus_ = nullptr;  // the focus that the default push button was last set for
    bool updating_ = false;       // the window is being told what the form already holds
};

LRESULT CALLBACK TWin32Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    }
    auto* self = reinterpret_cast<TWin32Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    try {
        return self->HandleMessage(window, message, wParam, lParam);
    } catch (...) {  // nothing may unwind through the system's frames
        LogCaught();
        return 0;
    }
}

}  // namespace

void ShowNative(TForm& form) {
    InitCommonControlsOnce();
    const TFormWindowClass windowClass(&TWin32Form::WindowProc);
    TWin32Form window(form);
    window.ShowModal();
}

}  // namespace orvo::ui
