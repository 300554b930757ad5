// The Win32 presenter with real windows (under Wine and Xvfb in the cross build). The test
// thread sits in the form's modal loop as the host's UI thread would; a second thread plays
// the cashier with window messages and looks at the windows from outside.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <thread>

#include "payments/FExtraPayments.h"
#include "platform/DateTime.h"
#include "tests/support/Win32Windows.h"
#include "tests/ui/DetailsLayout.h"
#include "tests/ui/UiTestRig.h"
#include "ui/Win32Handles.h"

namespace orvo::test {
namespace {

using namespace std::chrono_literals;

int Scaled(int pixels) {
    const ui::TWindowDC screen(nullptr);
    return MulDiv(pixels, GetDeviceCaps(screen.Get(), LOGPIXELSY), 96);
}

class Win32Presenter : public ::testing::Test {
protected:
    TScopedRegional regional{PointRegional()};
    TModuleWithHost module;  // no form host: the forms get real windows
};

TEST_F(Win32Presenter, DetailsWindowMatchesTheLayoutTableControlByControl) {
    struct {
        std::vector<TChildWindow> children;
        RECT client{};
        LONG style = 0;
        HWND form = nullptr, focus = nullptr;
        bool screenshot = false, openAfterEscape = false, closedByAccelerator = false;
        int referenceLength = 0;
        RECT designed{}, shrunk{};
    } seen;
    TfrmExtraPayments window;
    TCashier cashier(
        [&](HWND form) {
            seen.form = form;
            seen.children = ChildWindows(form);
            GetClientRect(form, &seen.client);
            seen.style = GetWindowLongA(form, GWL_STYLE);
            seen.focus = FocusOfThreadOf(form);
            seen.screenshot = SaveScreenshot(form, std::filesystem::path(ORVO_SCREENSHOT_DIR) / "FExtraPayments.bmp");
            // 201 keys into the reference box; the window sized smaller than designed.
            for (int i = 0; i < 201; ++i) SendMessageA(seen.children[1].handle, WM_CHAR, 'x', 1);
            seen.referenceLength = GetWindowTextLengthA(seen.children[1].handle);
            GetWindowRect(form, &seen.designed);
            SetWindowPos(form, nullptr, 0, 0, 100, 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            GetWindowRect(form, &seen.shrunk);
            // Escape finds no cancel button; Alt+C is the accelerator of "&Cancel".
            PostMessageA(seen.focus, WM_KEYDOWN, VK_ESCAPE, 1);
            std::this_thread::sleep_for(300ms);
            seen.openAfterEscape = IsWindowVisible(form);
            PostMessageA(seen.focus, WM_SYSCHAR, 'c', LPARAM(1) << 29);
            seen.closedByAccelerator = WaitUntilGone(form);
            if (!seen.closedByAccelerator) PostMessageA(form, WM_CLOSE, 0, 0);
        },
        "Uber Details");
    EXPECT_FALSE(window.Execute("Uber", 1205000));
    cashier.Join();
    ASSERT_TRUE(cashier.found);

    EXPECT_EQ(seen.client.right, Scaled(441));
    EXPECT_EQ(seen.client.bottom, Scaled(217));
    EXPECT_EQ(seen.style & (WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    EXPECT_TRUE(seen.screenshot);
    EXPECT_TRUE(seen.openAfterEscape);
    EXPECT_TRUE(seen.closedByAccelerator);
    EXPECT_EQ(seen.referenceLength, 200);  // the reference column's width
    EXPECT_TRUE(EqualRect(&seen.shrunk, &seen.designed));
    ASSERT_EQ(seen.children.size(), std::size(kDetailsLayout));
    for (size_t i = 0; i < seen.children.size(); ++i) {
        const TChildWindow& child = seen.children[i];
        const TLayoutRow& expected = kDetailsLayout[i];
        SCOPED_TRACE(expected.name);
        EXPECT_TRUE(IsClass(child, expected.kind == TFormControlKind::Edit ? "Edit" : "Button")) << child.className;
        EXPECT_EQ(child.text, expected.text);
        EXPECT_EQ(child.parent, expected.parent < 0 ? seen.form : seen.children[size_t(expected.parent)].handle);
        EXPECT_EQ(child.bounds.left, Scaled(expected.left));
        EXPECT_EQ(child.bounds.top, Scaled(expected.top));
        EXPECT_EQ(child.bounds.right - child.bounds.left, Scaled(expected.width));
        EXPECT_EQ(child.bounds.bottom - child.bounds.top, Scaled(expected.height));
        EXPECT_EQ(child.fontFace, expected.fontFace);
        EXPECT_EQ(child.fontHeight, -Scaled(expected.fontHeight));  // a character height, not a cell height
        if (expected.kind == TFormControlKind::Edit) {
            EXPECT_EQ((child.style & ES_READONLY) != 0, expected.readOnly);
        } else {
            const LONG buttonType = child.style & BS_TYPEMASK;
            const LONG pushType = i == kDetailsFocusRow ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;  // the focused one
            EXPECT_EQ(buttonType, expected.kind == TFormControlKind::GroupBox ? BS_GROUPBOX : pushType);
        }
    }
    EXPECT_EQ(seen.focus, seen.children[kDetailsFocusRow].handle);
}

TEST_F(Win32Presenter, CashierTypesTheReferenceUsesBothPopupsAndConfirms) {
    module.host.answers.push_back({true, "150.00"});
    module.host.answers.push_back({true, "5"});
    std::vector<std::string> boxes;
    std::string gratuityAfterMouse;
    TfrmExtraPayments window;
    TCashier cashier(
        [&](HWND form) {
            HWND reference = ChildWindows(form)[1].handle;
            for (char c : std::string("INV 1234")) SendMessageA(reference, WM_CHAR, WPARAM(c), 1);
            HWND amountBox = ChildWithText(ChildWithText(form, "Button", "Amount"), "Button", "...");
            SendMessageA(amountBox, BM_CLICK, 0, 0);
            for (const TChildWindow& child : ChildWindows(form))
                if (child.style & ES_READONLY) boxes.push_back(child.text);
            HWND gratuityGroup = ChildWithText(form, "Button", "Gratuity");
            MouseClick(ChildWithText(gratuityGroup, "Button", "..."));
            HWND gratuityRands = ChildWindows(gratuityGroup)[0].handle;
            WaitFor([&] { return TextOf(gratuityRands) == "5" ? gratuityRands : nullptr; });
            gratuityAfterMouse = TextOf(gratuityRands);
            SendMessageA(ChildWithText(form, "Button", "&OK"), BM_CLICK, 0, 0);
            if (!WaitUntilGone(form)) PostMessageA(form, WM_CLOSE, 0, 0);
        },
        "Uber Details");
    EXPECT_TRUE(window.Execute("Uber", 1205000));
    cashier.Join();
    ASSERT_TRUE(cashier.found);
    EXPECT_EQ(window.Reference, "INV 1234");
    EXPECT_EQ(boxes, (std::vector<std::string>{"29", "50", "150", "0"}));  // gratuity, then amount
    EXPECT_EQ(gratuityAfterMouse, "5");  // a mouse click reaches a button inside a group box
    EXPECT_EQ(window.Amount, 1255000);
    EXPECT_EQ(window.Gratuity, 50000);
    EXPECT_EQ(module.host.answers.size(), 0u);
}

TEST_F(Win32Presenter, ClickHandlerErrorShowsAMessageBoxAndTheWindowStaysOpen) {
    struct {
        std::string message;
        bool boxOwnedByForm = false, formOpenAfterBox = false;
    } seen;
    TProbeForm form;
    TCashier cashier(
        [&](HWND window) {
            PostMessageA(ChildWithText(window, "Button", "Save && E&xit"), BM_CLICK, 0, 0);
            HWND box = WaitForTopLevel("#32770", "Probe");
            if (box) {
                seen.boxOwnedByForm = GetWindow(box, GW_OWNER) == window;
                for (const TChildWindow& child : ChildWindows(box))
                    if (IsClass(child, "Static") && !child.text.empty()) seen.message = child.text;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                WaitUntilGone(box);
            }
            std::this_thread::sleep_for(100ms);
            seen.formOpenAfterBox = IsWindow(window) && IsWindowVisible(window) && IsWindowEnabled(window);
            SendMessageA(ChildWithText(window, "Button", "&Done"), BM_CLICK, 0, 0);
            if (!WaitUntilGone(window)) PostMessageA(window, WM_CLOSE, 0, 0);
        },
        "Probe");
    EXPECT_EQ(form.ShowModal(nullptr), mrOk);
    cashier.Join();
    ASSERT_TRUE(cashier.found);
    EXPECT_EQ(seen.message, kJammed);
    EXPECT_TRUE(seen.boxOwnedByForm);
    EXPECT_TRUE(seen.formOpenAfterBox);
}

TEST_F(Win32Presenter, DialogDisablesAndCentresOverTheMainWindowBuildsInTabOrderAndTakesPickedDates) {
    const ui::TWindowHandle main(CreateWindowExA(0, "STATIC", "Till", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 900,
                                                 700, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(main);
    SetForegroundWindow(main.Get());
    SetActiveWindow(main.Get());
    struct {
        bool mainDisabled = false;
        RECT form{};
        std::vector<std::string> order;
        LONG dialogStyle = 0;
        SYSTEMTIME picked{}, stepped{};
    } seen;
    TProbeForm form;
    form.SetDate(form.dtpFrom, EncodeDate(2024, 2, 29));
    TCashier cashier(
        [&](HWND window) {
            seen.mainDisabled = !IsWindowEnabled(main.Get());
            GetWindowRect(window, &seen.form);
            seen.dialogStyle = GetWindowLongA(window, GWL_STYLE);
            for (const TChildWindow& child : ChildWindows(window)) seen.order.push_back(child.text);
            HWND picker = ChildWindows(window)[4].handle;
            SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&seen.picked));
            // The cashier clicks the first field of the date and steps it on with the arrow key.
            SendMessageA(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 10));
            SendMessageA(picker, WM_LBUTTONUP, 0, MAKELPARAM(6, 10));
            SendMessageA(picker, WM_KEYDOWN, VK_UP, 1);
            SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&seen.stepped));
            PostMessageA(window, WM_CLOSE, 0, 0);  // the close box
        },
        "Probe");
    EXPECT_EQ(form.ShowModal(nullptr), mrCancel);
    cashier.Join();
    ASSERT_TRUE(cashier.found);
    EXPECT_TRUE(seen.mainDisabled);
    EXPECT_TRUE(IsWindowEnabled(main.Get()));
    RECT mainRect;
    GetWindowRect(main.Get(), &mainRect);
    EXPECT_NEAR((seen.form.left + seen.form.right) / 2, (mainRect.left + mainRect.right) / 2, 1);
    EXPECT_NEAR((seen.form.top + seen.form.bottom) / 2, (mainRect.top + mainRect.bottom) / 2, 1);
    EXPECT_EQ(seen.dialogStyle & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU), WS_SYSMENU);
    EXPECT_EQ((std::array{seen.picked.wYear, seen.picked.wMonth, seen.picked.wDay}),
              (std::array<WORD, 3>{2024, 2, 29}));
    const TDateTime stepped = EncodeDate(seen.stepped.wYear, seen.stepped.wMonth, seen.stepped.wDay);
    EXPECT_NE(stepped, EncodeDate(2024, 2, 29));
    EXPECT_EQ(form.dtpFrom.Date, stepped);  // the form holds what the cashier picked
    const std::vector<std::string> tabOrder{"Probe &heading", "Name", "", "", "", "Save && E&xit", "&Done"};
    ASSERT_EQ(seen.order.size(), tabOrder.size());
    for (size_t i = 0; i < tabOrder.size(); ++i)
        if (!tabOrder[i].empty()) {
            EXPECT_EQ(seen.order[i], tabOrder[i]) << i;
        }
}

constexpr UINT_PTR kDestroyForm = 1, kDestroyOwner = 2;

void CALLBACK DestroyOnTimer(HWND owner, UINT, UINT_PTR what, DWORD) {
    DestroyWindow(what == kDestroyOwner ? owner : FindOwnTopLevel(nullptr, "Probe"));
}

// Someone else destroys the open form, or the window owning it (a timer of the owner here): the
// modal loop ends with Cancel, and a surviving owner is enabled again. (A loop that never noticed
// would wait for ever: the hang watch ends the program, naming this test.)
TEST_F(Win32Presenter, FormOrItsOwnerDestroyedWhileOpenEndsTheModalLoopAsCancel) {
    for (const UINT_PTR what : {kDestroyForm, kDestroyOwner}) {
        HWND owner = CreateWindowExA(0, "STATIC", "Till", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 900, 700, nullptr,
                                     nullptr, nullptr, nullptr);
        SetActiveWindow(owner);
        SetTimer(owner, what, 500, &DestroyOnTimer);
        TProbeForm form;
        EXPECT_EQ(form.ShowModal(nullptr), mrCancel);
        EXPECT_EQ(IsWindowEnabled(owner) != FALSE, what == kDestroyForm);
        DestroyWindow(owner);
    }
}

TEST_F(Win32Presenter, QuitMessageEndsTheModalLoopAsCancelAndIsPassedOn) {
    TProbeForm form;
    const DWORD uiThread = GetCurrentThreadId();
    bool found = false;
    std::thread quitter([&] {
        HWND window = WaitForTopLevel(nullptr, "Probe");
        found = window != nullptr;
        PostThreadMessageA(uiThread, WM_QUIT, 7, 0);
        if (window) WaitUntilGone(window);
    });
    EXPECT_EQ(form.ShowModal(nullptr), mrCancel);
    quitter.join();
    EXPECT_TRUE(found);
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
}

}  // namespace
}  // namespace orvo::test
