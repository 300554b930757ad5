// Both windows under a cashier's and a manager's hands: real key presses and mouse clicks go
// through the system's input queue to the window in front, never as window messages. The
// program runs alone, so no other test's window takes the keys.
#include <windows.h>

#include "interfaces/intfPaymentMethod.h"
#include "tests/support/Win32Windows.h"
#include "tests/wine/InstalledModule.h"

namespace orvo::test {
namespace {

// A control as these tests name it: a button by its caption, another control by its class and
// place in its parent; inside a group box, after the box's caption ("Amount: ...").
std::string Describe(HWND control) {
    const TChildWindow seen = Inspect(control);
    const std::string group = _stricmp(ClassOf(seen.parent).c_str(), "Button") == 0 ? TextOf(seen.parent) + ": " : "";
    if (IsClass(seen, "Button")) return group + seen.text;
    return group + seen.className + " " + std::to_string(seen.bounds.left) + "," + std::to_string(seen.bounds.top);
}

std::vector<std::string> DefaultButtons(HWND form) {
    std::vector<std::string> buttons;
    for (const TChildWindow& child : ChildWindows(form))
        if (IsClass(child, "Button") && (child.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            buttons.push_back(Describe(child.handle));
    return buttons;
}

// What Enter would press: the control with the focus, "(default)" when it alone is the window's
// default push button, and otherwise every button that shows the default frame.
std::string KeyboardState(HWND form) {
    if (!IsWindow(form)) return "closed";
    const HWND focus = FocusOfThreadOf(form);
    const std::string focused = focus && IsChild(form, focus) ? Describe(focus) : "focus outside";
    const std::vector<std::string> defaults = DefaultButtons(form);
    if (defaults == std::vector<std::string>{focused}) return focused + " (default)";
    std::string state = focused;
    for (const std::string& button : defaults) state += ", default " + button;
    return state;
}

struct TStep {
    std::vector<WORD> keys;       // pressed together,
    const char* click = nullptr;  // or the control clicked at its centre
    std::string after;            // the state the window is in afterwards
};

TStep Press(std::vector<WORD> keys, std::string after) { return {std::move(keys), nullptr, std::move(after)}; }
TStep Click(const char* control, std::string after) { return {{}, control, std::move(after)}; }

// Tab through the stops (the last is where the walk starts), then Shift+Tab all the way back.
std::vector<TStep> TabRoundTrip(const std::vector<std::string>& stops) {
    std::vector<TStep> steps;
    for (const std::string& stop : stops) steps.push_back(Press({VK_TAB}, stop));
    for (size_t i = stops.size() - 1; i-- > 0;) steps.push_back(Press({VK_SHIFT, VK_TAB}, stops[i]));
    steps.push_back(Press({VK_SHIFT, VK_TAB}, stops.back()));
    return steps;
}

struct TPlayed {
    std::vector<std::string> defaultsAtFirstSight;
    std::vector<std::string> states;  // on opening, then after each step, up to the first unexpected one
};

HWND ControlNamed(HWND form, const std::string& name) {
    for (const TChildWindow& child : ChildWindows(form))
        if (Describe(child.handle) == name) return child.handle;
    return nullptr;
}

// Plays the steps on the window, each once the one before has had its effect. A window left
// open by an unexpected state is closed.
TPlayed Play(HWND form, const std::string& opened, const std::vector<TStep>& steps,
             const std::function<std::string()>& progress = {}) {
    TPlayed played{DefaultButtons(form), {}};
    const auto reach = [&](const std::string& expected) {
        std::string now;
        WaitUntil([&] {
            now = KeyboardState(form);
            if (progress && now != "closed") now += progress();
            return now == expected;
        });
        played.states.push_back(now);
        return now == expected;
    };
    bool expected = reach(opened);
    for (auto step = steps.begin(); expected && step != steps.end(); ++step) {
        if (step->click) {
            HWND control = ControlNamed(form, step->click);
            if (!control) {
                played.states.push_back(std::string("no control ") + step->click);
                break;
            }
            MouseClick(control);
        } else {
            PressKeys(step->keys);
        }
        expected = reach(step->after);
    }
    if (IsWindow(form)) {
        PostMessageA(form, WM_CLOSE, 0, 0);
        WaitUntilGone(form);
    }
    return played;
}

std::vector<std::string> Expected(const std::string& opened, const std::vector<TStep>& steps) {
    std::vector<std::string> states{opened};
    for (const TStep& step : steps) states.push_back(step.after);
    return states;
}

std::vector<TStep> Join(std::vector<TStep> first, const std::vector<TStep>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

constexpr WORD kAlt = VK_MENU;

class RealInput : public InstalledModule {};

TEST_F(RealInput, PaymentWindowAnswersKeysAndClicks) {
    const std::vector<TStep> tabRoundTrip = TabRoundTrip({
        "&Cancel (default)",
        "Clear (default)",
        "Reference: Edit 8,17",
        "Gratuity: Edit 8,17",
        "Gratuity: Edit 105,17",
        "Gratuity: ... (default)",
        "Amount: Edit 8,17",
        "Amount: Edit 105,17",
        "Amount: ... (default)",
        "&OK (default)",
    });
    const std::string box = "Reference: Edit 8,17";
    struct {
        const char* what;
        std::vector<TStep> steps;
        std::deque<TInputAnswer> answers;
        bool confirmed;
        std::string reference;
        std::vector<std::string> prompts;  // as the input popup was asked: caption, then the text offered
    } const sessions[] = {
        {"Enter at open", {Press({VK_RETURN}, "closed")}, {}, true, "", {}},
        {"Space at open", {Press({VK_SPACE}, "closed")}, {}, true, "", {}},
        {"Tab round trip, then Enter", Join(tabRoundTrip, {Press({VK_RETURN}, "closed")}), {}, true, "", {}},
        {"typing a reference; Enter and Escape do nothing in the box; Alt+O",
         {Press({VK_TAB}, "&Cancel (default)"), Press({VK_TAB}, "Clear (default)"), Press({VK_TAB}, box),
          Press({'A'}, box), Press({'1'}, box), Press({VK_RETURN}, box), Press({VK_ESCAPE}, box),
          Press({kAlt, 'O'}, "closed")},
         {},
         true,
         "a1",
         {}},
        {"Escape on a button; Alt+C",
         {Press({VK_ESCAPE}, "&OK (default)"), Press({kAlt, 'C'}, "closed")},
         {},
         false,
         "",
         {}},
        {"clicks on both \"...\", Enter on the focused one, Alt+F4",
         {Click("Amount: ...", "Amount: ... (default)"), Press({VK_RETURN}, "Amount: ... (default)"),
          Click("Gratuity: ...", "Gratuity: ... (default)"), Press({kAlt, VK_F4}, "closed")},
         {{true, "150"}, {true, "200"}, {false, ""}},
         false,
         "",
         {"Input.SetCaption Enter Uber Total: ", "Input.Execute 120.50", "Input.SetCaption Enter Uber Total: ",
          "Input.Execute 150.00", "Input.SetCaption Enter Uber Gratuity: ", "Input.Execute 79.50"}},
    };
    int32_t id = 0;
    for (const auto& session : sessions) {
        SCOPED_TRACE(session.what);
        host.journal->clear();
        host.answers = session.answers;
        ComPtr<IPaymentMethod> method = ResolveNamedOf<IPaymentMethod>(*host.container, "Uber");
        ASSERT_TRUE(method);
        method->SetAmount(1205000);
        TPlayed played;
        TCashier cashier([&](HWND form) { played = Play(form, "&OK (default)", session.steps); }, "Uber Details");
        const bool confirmed = method->DoPaymentPopup();
        cashier.Join();
        ASSERT_TRUE(cashier.found);
        EXPECT_EQ(played.defaultsAtFirstSight, std::vector<std::string>{"&OK"});
        EXPECT_EQ(played.states, Expected("&OK (default)", session.steps));
        EXPECT_EQ(confirmed, session.confirmed);
        const std::optional<TTransactionRow> row = script->Transaction(++id);
        ASSERT_TRUE(row);
        EXPECT_EQ(row->reference, session.reference);
        std::vector<std::string> prompts;
        for (const std::string& line : *host.journal)
            if (line.starts_with("Input.")) prompts.push_back(line);
        EXPECT_EQ(prompts, session.prompts);
    }
}

TEST_F(RealInput, ReportsWindowAnswersKeysAndClicks) {
    host.events->Raise("Orvo.BackOffice.MainForm.Create");
    ASSERT_EQ(host.menus->Items().size(), 2u);
    // Each page takes two queries; the suffix keeps count of the pages shown so far.
    const auto pages = [&] {
        size_t queries = 0;
        for (const std::string& statement : script->Statements()) queries += statement.starts_with("QueryJSON");
        return "; pages " + std::to_string(queries / 2);
    };
    const std::string today = "Todays Transactions (default)";
    std::vector<TStep> tabRoundTrip = TabRoundTrip({
        "This Week (default)",
        "Last Week (default)",
        "Custom Range (default)",
        "This Month (default)",
        "Last Month (default)",
        "SysDateTimePick32 248,312",
        "SysDateTimePick32 248,336",
        today,
    });
    for (TStep& step : tabRoundTrip) step.after += "; pages 2";
    const std::string picker = "SysDateTimePick32 248,336; pages 2";
    const std::vector<TStep> steps =
        Join(Join({Press({VK_RETURN}, today + "; pages 1"), Press({VK_SPACE}, today + "; pages 2")}, tabRoundTrip),
             {
                 Press({VK_SHIFT, VK_TAB}, picker),
                 Press({VK_RETURN}, picker),
                 Press({VK_ESCAPE}, picker),
                 Click("This Week", "This Week (default); pages 3"),
                 Click("Last Week", "Last Week (default); pages 4"),
                 Click("Custom Range", "Custom Range (default); pages 5"),
                 Click("This Month", "This Month (default); pages 6"),
                 Click("Last Month", "Last Month (default); pages 7"),
                 Click("Todays Transactions", today + "; pages 8"),
                 Press({VK_ESCAPE}, today + "; pages 8"),
                 Press({kAlt, VK_F4}, "closed"),
             });
    TPlayed played;
    TCashier backOffice([&](HWND form) { played = Play(form, today + "; pages 0", steps, pages); },
                        "Extra Payments Report");
    host.menus->Items()[1].onClick(nullptr);
    backOffice.Join();
    ASSERT_TRUE(backOffice.found);
    EXPECT_EQ(played.defaultsAtFirstSight, std::vector<std::string>{"Todays Transactions"});
    EXPECT_EQ(played.states, Expected(today + "; pages 0", steps));

    // The range of each page, as the end of its first query: the pages came from the buttons pressed.
    std::vector<std::string> ranges;
    const std::vector<std::string> statements = script->Statements();
    for (size_t i = 0; i < statements.size(); i += 2) ranges.push_back(statements[i].substr(statements[i].size() - 26));
    ASSERT_EQ(ranges.size(), 8u);
    SYSTEMTIME now;
    GetLocalTime(&now);
    char day[32];
    std::snprintf(day, sizeof day, "'%04u-%02u-%02u', '%04u-%02u-%02u'", now.wYear, now.wMonth, now.wDay, now.wYear,
                  now.wMonth, now.wDay);
    EXPECT_EQ(ranges[0], day);        // Enter on "Todays Transactions"
    EXPECT_EQ(ranges[1], day);        // Space on it
    EXPECT_EQ(ranges[7], day);        // a click on it
    EXPECT_EQ(ranges[4], ranges[5]);  // Custom Range as the pickers open: this month
    EXPECT_NE(ranges[2], ranges[3]);  // this week and last week
    EXPECT_EQ(host.viewer->pages.size(), 8u);
}

}  // namespace
}  // namespace orvo::test
