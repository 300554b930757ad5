// The back office's road to the report: the main window's event adds the menu entry, its click
// opens the real reports window, and the page reaches the host's viewer.
#include <windows.h>

#include <commctrl.h>

#include "tests/support/Win32Windows.h"
#include "tests/wine/InstalledModule.h"

namespace orvo::test {
namespace {

constexpr char kTotals[] =
    R"([{"PaymentType":"Uber","TotalTransactions":2,"Completed":1,"TotalAmount":"150.00","TotalGratuity":"29.50",)"
    R"("OverrungInvoices":0,"OverrungTotal":"0.00"}])";
constexpr char kDetails[] =
    R"([{"TransactionDate":"2026/12/04","PaymentType":"Uber","TransactionTime":"12:30:00:000","InvoiceNum":1001,)"
    R"("Reference":"UB-7731","InvoiceAmount":"120.50","Amount":"120.50","Gratuity":"29.50","InvoiceStatus":"",)"
    R"("TransactionID":1,"CashierName":"Thandi Mokoena"}])";

std::string IsoDate(const SYSTEMTIME& day) {
    char text[11];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", day.wYear, day.wMonth, day.wDay);
    return text;
}

// What the picker does when the user sets a date: the new date, then the change notice to its form.
void PickDate(HWND form, HWND picker, SYSTEMTIME day) {
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&day));
    NMDATETIMECHANGE change{};
    change.nmhdr = {picker, UINT_PTR(GetDlgCtrlID(picker)), DTN_DATETIMECHANGE};
    change.dwFlags = GDT_VALID;
    change.st = day;
    SendMessageA(form, WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
}

TEST_F(InstalledModule, MenuEntryOpensTheReportsWindowWhoseButtonsShowPages) {
    host.events->Raise("Orvo.BackOffice.MainForm.Create");
    ASSERT_EQ(host.menus->Items().size(), 2u);
    EXPECT_EQ(host.menus->Items()[0].caption, "-");
    const host::THostMenuManager::Item entry = host.menus->Items()[1];
    EXPECT_EQ(entry.parent, "Lists");
    EXPECT_EQ(entry.caption, "Extra Payments Reports");
    ASSERT_TRUE(entry.onClick.IsSet());

    script->SetReportRows(kTotals, kDetails);  // This Month
    script->SetReportRows("[]", "[]");         // Custom Range
    const SYSTEMTIME customFrom{2026, 3, 0, 2, 0, 0, 0, 0}, customTo{2026, 3, 0, 16, 0, 0, 0, 0};
    struct {
        size_t pagesAfterFirstClick = 0;
        bool screenshot = false, closedByCloseBox = false;
        std::vector<TChildWindow> controls;
        RECT client{};
    } seen;
    TCashier backOffice(
        [&](HWND form) {
            seen.controls = ChildWindows(form);
            GetClientRect(form, &seen.client);
            SendMessageA(ChildWithText(form, "Button", "This Month"), BM_CLICK, 0, 0);
            seen.pagesAfterFirstClick = host.viewer->pages.size();
            seen.screenshot = SaveScreenshot(form, std::filesystem::path(ORVO_SCREENSHOT_DIR) / "reports-window.bmp");
            std::vector<HWND> pickers;
            for (const TChildWindow& child : ChildWindows(form))
                if (IsClass(child, DATETIMEPICK_CLASSA)) pickers.push_back(child.handle);
            if (pickers.size() == 2) {
                PickDate(form, pickers[0], customFrom);
                PickDate(form, pickers[1], customTo);
            }
            SendMessageA(ChildWithText(form, "Button", "Custom Range"), BM_CLICK, 0, 0);
            PostMessageA(form, WM_SYSCOMMAND, SC_CLOSE, 0);
            seen.closedByCloseBox = WaitUntilGone(form);
            if (!seen.closedByCloseBox) PostMessageA(form, WM_CLOSE, 0, 0);
        },
        "Extra Payments Report");
    SYSTEMTIME today;
    GetLocalTime(&today);
    entry.onClick(nullptr);
    backOffice.Join();
    ASSERT_TRUE(backOffice.found);
    EXPECT_TRUE(seen.closedByCloseBox);
    EXPECT_TRUE(seen.screenshot);
    EXPECT_EQ(seen.pagesAfterFirstClick, 1u);

    // The real window against the layout (96 dpi under Xvfb): class, text, bounds and font.
    EXPECT_EQ(seen.client.right, 496);
    EXPECT_EQ(seen.client.bottom, 383);
    std::vector<std::string> layout;
    for (const TChildWindow& c : seen.controls)
        layout.push_back(c.className + " " + c.text + " " + std::to_string(c.bounds.left) + "," +
                         std::to_string(c.bounds.top) + "," + std::to_string(c.bounds.right - c.bounds.left) + "," +
                         std::to_string(c.bounds.bottom - c.bounds.top) + " " + c.fontFace + " " +
                         std::to_string(-c.fontHeight));
    ASSERT_EQ(layout.size(), 9u);
    EXPECT_EQ(layout[0], "Static Extra Payments Reports 0,0,496,39 Tahoma 32");
    EXPECT_EQ(layout[1], "Button Todays Transactions 8,104,217,57 Tahoma 21");
    EXPECT_EQ(layout[4], "Button Custom Range 8,304,217,57 Tahoma 21");
    EXPECT_EQ(layout[5], "Button This Month 232,168,217,57 Tahoma 21");
    EXPECT_EQ(layout[6], "Button Last Month 232,232,217,57 Tahoma 21");
    EXPECT_EQ(layout[7].substr(0, layout[7].find(' ')), DATETIMEPICK_CLASSA);
    EXPECT_NE(layout[8].find(" 248,336,186,21 MS Sans Serif 11"), std::string::npos) << layout[8];

    SYSTEMTIME first = today, last = today;
    first.wDay = 1;
    const bool leap = today.wYear % 4 == 0 && (today.wYear % 100 != 0 || today.wYear % 400 == 0);
    constexpr WORD kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    last.wDay = WORD(kDays[today.wMonth - 1] + (today.wMonth == 2 && leap));
    const std::vector<std::string> statements = script->Statements();
    ASSERT_EQ(statements.size(), 4u);
    const std::string thisMonth = "'" + IsoDate(first) + "', '" + IsoDate(last) + "'";
    EXPECT_EQ(statements[0].substr(statements[0].size() - thisMonth.size()), thisMonth);
    EXPECT_EQ(statements[3].substr(statements[3].size() - 26), "'2026-03-02', '2026-03-16'");

    ASSERT_EQ(host.viewer->pages.size(), 2u);
    const std::string& monthPage = host.viewer->pages[0];
    EXPECT_NE(monthPage.find("<h2>Extra Payment Report: " + IsoDate(first) + " - " + IsoDate(last) + " </h2>"),
              std::string::npos);
    EXPECT_NE(monthPage.find("<tr>  <td>Uber</td>"), std::string::npos);
    EXPECT_NE(monthPage.find("UB-7731"), std::string::npos);
    EXPECT_NE(host.viewer->pages[1].find("<h2>Extra Payment Report: 2026-03-02 - 2026-03-16 </h2>"), std::string::npos);
}

TEST_F(InstalledModule, WithoutTheAccessCodeTheMenuEntryOpensNoWindow) {
    host.authentication->granted.clear();
    host.events->Raise("Orvo.Invoicing.MainForm.Create");
    ASSERT_EQ(host.menus->Items().size(), 2u);
    host.menus->Items()[1].onClick(nullptr);  // returns at once: a window would hold it in its modal loop
    EXPECT_EQ(FindOwnTopLevel(nullptr, "Extra Payments Report"), nullptr);
    EXPECT_TRUE(host.viewer->pages.empty());
}

}  // namespace
}  // namespace orvo::test
