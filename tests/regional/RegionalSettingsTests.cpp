// The regional settings read from real ones, and what the module writes and reads under them:
// money text, report page cells, log table rows and strict date text. Natively each row is a
// locale built with localedef for the tests (four of the C library's, three of our own); under
// Wine the same settings are written to the user's International values, as Control Panel
// writes them, and put back afterwards.
#include <gtest/gtest.h>

#include <cstdlib>

#include "backoffice/JsonRows.h"
#include "backoffice/ReportPage.h"
#include "platform/DateTime.h"
#include "tests/payments/PaymentTestRig.h"
#include "values/DateTimeText.h"
#include "values/MoneyText.h"

#if defined(_WIN32)
#include <windows.h>
#else
// The C library's newlocale keeps the list it makes of LOCPATH, on every call: its leak, not
// the module's.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:__argz_add_sep\n";
}
#endif

namespace orvo::test {
namespace {

struct TLocaleRow {
    const char* locale;  // natively
    // Windows: sCurrency, iCurrency, iNegCurr, sThousand, sDecimal, iCurrDigits, sShortDate,
    // sGrouping, sTime.
    const wchar_t* windows[9];
    // What the module writes: 11,327.33 and -11,327.33; -13229386.395 as money text in a page
    // cell; 1,234.5678 in a log row. Then a date and time as the user types it.
    const char* positive;
    const char* negative;
    const char* pageCell;
    const char* logRow;
    const char* dateText;
};

// "\x80" is the euro sign and "?" the narrow no-break space, which the 8-bit code page lacks.
// Money takes the number separators where a locale names other ones for money (ff_SN: "," and
// "." for numbers, "." and "," for money), and a page cell shows markup in them as text.
const TLocaleRow kRows[] = {
    {"en_ZA.UTF-8",
     {L"R", L"0", L"1", L",", L".", L"2", L"dd/MM/yyyy", L"3;0", L":"},
     "R11,327.33",
     "-R11,327.33",
     "-R13,229,386.40",
     "R1,234.57",
     "07/12/2026 13:45"},
    {"de_DE.UTF-8",
     {L"\u20AC", L"3", L"8", L".", L",", L"2", L"dd.MM.yyyy", L"3;0", L":"},
     "11.327,33 \x80",
     "-11.327,33 \x80",
     "-13.229.386,40 \x80",
     "1.234,57 \x80",
     "07.12.2026 13:45"},
    {"fr_FR.UTF-8",
     {L"\u20AC", L"3", L"8", L"\u202F", L",", L"2", L"dd/MM/yyyy", L"3;0", L":"},
     "11?327,33 \x80",
     "-11?327,33 \x80",
     "-13?229?386,40 \x80",
     "1?234,57 \x80",
     "07/12/2026 13:45"},
    {"xx_symbol_after.UTF-8",
     {L"kr", L"1", L"5", L",", L".", L"3", L"yyyy-MM-dd", L"0", L"."},
     "11327.330kr",
     "-11327.330kr",
     "-13229386.395kr",
     "1234.568kr",
     "2026-12-07 13.45"},
    {"xx_parentheses.UTF-8",
     {L"$", L"0", L"0", L",", L".", L"2", L"MM/dd/yyyy", L"3;0", L":"},
     "$11,327.33",
     "($11,327.33)",
     "($13,229,386.40)",
     "$1,234.57",
     "12/07/2026 1:45 PM"},
    {"ff_SN.UTF-8",
     {L"CFA", L"3", L"8", L".", L",", L"2", L"dd/MM/yyyy", L"3;0", L":"},
     "11.327,33 CFA",
     "-11.327,33 CFA",
     "-13.229.386,40 CFA",
     "1.234,57 CFA",
     "07/12/2026 13:45"},
    {"xx_markup.UTF-8",
     {L"<b>R&amp;", L"0", L"1", L"<", L".", L"2", L"dd/MM/yyyy", L"3;0", L":"},
     "<b>R&amp;11<327.33",
     "-<b>R&amp;11<327.33",
     "-&lt;b&gt;R&amp;amp;13&lt;229&lt;386.40",
     "<b>R&amp;1<234.57",
     "07/12/2026 13:45"},
};

void PrintTo(const TLocaleRow& row, std::ostream* out) { *out << row.locale; }

#if defined(_WIN32)
// The row's values in force for the user, the earlier ones back in place afterwards.
class TRowInForce {
public:
    explicit TRowInForce(const TLocaleRow& row) {
        for (size_t i = 0; i < std::size(kTypes); ++i) {
            wchar_t saved[100] = {};
            GetLocaleInfoW(LOCALE_USER_DEFAULT, kTypes[i], saved, 100);
            saved_[i] = saved;
            EXPECT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, kTypes[i], row.windows[i])) << i;
        }
    }
    ~TRowInForce() {
        for (size_t i = 0; i < std::size(kTypes); ++i)
            SetLocaleInfoW(LOCALE_USER_DEFAULT, kTypes[i], saved_[i].c_str());
    }

private:
    static constexpr LCTYPE kTypes[9] = {LOCALE_SCURRENCY,  LOCALE_ICURRENCY, LOCALE_INEGCURR,
                                         LOCALE_STHOUSAND,  LOCALE_SDECIMAL,  LOCALE_ICURRDIGITS,
                                         LOCALE_SSHORTDATE, LOCALE_SGROUPING, LOCALE_STIME};
    std::wstring saved_[9];
};
#else
// The row's locale named by the environment, found among those built for the tests.
class TRowInForce {
public:
    explicit TRowInForce(const TLocaleRow& row) {
        setenv("LOCPATH", ORVO_TEST_LOCALES, 1);
        setenv("LC_ALL", row.locale, 1);
    }
    ~TRowInForce() {
        unsetenv("LC_ALL");
        unsetenv("LOCPATH");
    }
};
#endif

class RegionalSettings : public TPaymentTestRig, public ::testing::WithParamInterface<TLocaleRow> {
protected:
    TRowInForce row{GetParam()};
    TScopedRegional read{platform::ReadRegionalSettings()};
};

INSTANTIATE_TEST_SUITE_P(Locales, RegionalSettings, ::testing::ValuesIn(kRows), [](const auto& info) {
    std::string name = info.param.locale;
    return name.substr(0, name.find('.'));
});

TEST_P(RegionalSettings, MoneyPageCellsLogRowsAndDatesFollowThem) {
    const TLocaleRow& expected = GetParam();
    EXPECT_EQ(FormatMoney(113273300), expected.positive);
    EXPECT_EQ(FormatMoney(-113273300), expected.negative);

    const TJsonRows totals =
        TJsonRows::Parse(R"([{"PaymentType":"Uber","TotalTransactions":1,"Completed":1,"TotalAmount":"-13229386.395",)"
                         R"("TotalGratuity":"0","OverrungInvoices":0,"OverrungTotal":null}])");
    std::string page;
    BuildReportPage(page, {"Res/", "2026-12-07", "2026-12-07", totals, TJsonRows::Parse("[]"), platform::Regional()});
    EXPECT_NE(page.find(std::string(">") + expected.pageCell + "</td>"), std::string::npos) << page;

    host.script->values = {"17"};
    forms->Click("btnOKNew");
    auto method = NewMethod();
    method->SetAmount(12345678);
    ASSERT_TRUE(method->DoPaymentPopup());
    EXPECT_NE(
        JournalOf("Script.ExecSQL INSERT").at(1).find(std::string("'Uber: 17 - Amount: ") + expected.logRow + "'"),
        std::string::npos)
        << JournalOf("Script.ExecSQL INSERT").at(1);

    EXPECT_EQ(ReadDateTimeStrict(expected.dateText, platform::Regional(), 2026),
              EncodeDate(2026, 12, 7) + EncodeTime(13, 45, 0, 0));
    EXPECT_THROW(ReadDateTimeStrict("2026/13/07", platform::Regional(), 2026), EConvertError);
    // Letters beyond ASCII match in either case: A and o with diaeresis, S with caron.
    EXPECT_TRUE(platform::SameTextLocale("\xC4RGER \xD6L \x8A", "\xE4rger \xF6l \x9A"));
}

#if !defined(_WIN32)
// A locale that names no thousands separator, no grouping and no currency (the C locale): no
// separator is read from beyond its empty text, and the money form keeps its defaults.
TEST(RegionalSettingsOfTheCLocale, NoSeparatorNoGroupingAndTheDefaultMoneyForm) {
    setenv("LC_ALL", "C", 1);
    const platform::TRegionalSettings c = platform::ReadRegionalSettings();
    unsetenv("LC_ALL");
    EXPECT_EQ(c.ThousandSeparator, '\0');
    EXPECT_EQ(c.Grouping, "");
    EXPECT_EQ(c.ShortDateFormat, "mm/dd/yy");
    EXPECT_EQ(FormatMoney(-113273300, c), "-R11327.33");
    EXPECT_EQ(ReadDateTimeStrict("12/07/26", c, 2026), EncodeDate(2026, 12, 7));
}
#endif

}  // namespace
}  // namespace orvo::test
