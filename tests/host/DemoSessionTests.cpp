// The demo's till session and report, run against the built library, and what they leave
// behind: database rows, the report page and the module's log.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "host/program/Commands.h"
#include "tests/support/TestSupport.h"

namespace orvo::host {
namespace {
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class DemoSession : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder.Path() / "modules");
        options.modulePath = folder.Path() / "modules" / "OrvoExtraPayments.ovm";
        fs::copy_file(ORVO_MODULE_FILE, options.modulePath);
        options.databasePath = folder / "suite.db";
        options.pageFile = folder / "report.html";
        options.grantedCodes = {"AM020"};
        options.freshDatabase = true;
    }
    std::string Query(const std::string& tsql) {
        TSqliteDatabase database(options.databasePath.string());
        const TBatchResult result = database.Run(tsql);
        return ResultJSON(*result.lastResult);
    }

    test::TTempFolder folder;
    THostOptions options;
};

TEST_F(DemoSession, LeavesTransactionsLogRowsCashupRowsThePageAndTheLog) {
    std::ostringstream out;
    ASSERT_EQ(RunDemo(options, out), kExitOk) << out.str();

    EXPECT_EQ(Query("SELECT [PaymentMethod], [ReferenceNumber], [Amount], [InvoiceNum] FROM [ExtraPaymentTransactions] "
                    "ORDER BY [ID]"),
              R"([{"PaymentMethod":"Uber","ReferenceNumber":"UB-7731","Amount":150,"InvoiceNum":1001},)"
              R"({"PaymentMethod":"Mr D","ReferenceNumber":"MRD-2231","Amount":95,"InvoiceNum":1002},)"
              R"({"PaymentMethod":"ABSA","ReferenceNumber":"ABSA <b>77</b> & co","Amount":200,"InvoiceNum":1003},)"
              R"({"PaymentMethod":"Nedbank","ReferenceNumber":"NB-1","Amount":55.25,"InvoiceNum":1004},)"
              R"({"PaymentMethod":"Other CC","ReferenceNumber":"CC-9001","Amount":410,"InvoiceNum":1005}])");
    // Nedbank's popup was cancelled once: still one row, and its log row tells it twice.
    EXPECT_EQ(Query("SELECT COUNT(*) AS [N] FROM [ExtraPaymentLog] WHERE [Message] = 'Nedbank: New Transaction: 4'"),
              R"([{"N":2}])");
    EXPECT_EQ(Query("SELECT [Message] FROM [ExtraPaymentLog] WHERE [Message] LIKE 'Uber:%' ORDER BY [ID]"),
              R"([{"Message":"Uber: New Transaction: 1"},{"Message":"Uber: 1 - Amount: R120.50"},)"
              R"({"Message":"Uber: 1 - Gratuity: R29.50"}])");
    // The overrung invoice's cash-up rows are gone; the others carry amount plus gratuity.
    EXPECT_EQ(Query("SELECT [Number], [Name], [ParentName], [Value] FROM [Cashup] WHERE [Number] IN (1001, 1005)"),
              R"([{"Number":1001,"Name":"PAYMENT:Uber","ParentName":"","Value":150},)"
              R"({"Number":1001,"Name":"GRATUITY","ParentName":"PAYMENT:Uber","Value":29.5}])");

    const std::string page = ReadFile(options.pageFile);
    EXPECT_NE(page.find("<h3>Payment Type: Uber</h3>"), std::string::npos);
    EXPECT_NE(page.find("<h3>Payment Type: Other CC</h3>"), std::string::npos);
    EXPECT_NE(page.find("ABSA &lt;b&gt;77&lt;/b&gt; &amp; co"), std::string::npos);
    EXPECT_NE(page.find(">Overrung</td>"), std::string::npos);
    EXPECT_NE(page.find("<tr>  <td>Uber</td>  <td style=\"text-align:right\">1</td>"), std::string::npos);

    const std::string log = ReadFile(options.modulePath.parent_path() /
                                     (fs::path(platform::ReadProcessIdentity().HostProgramPath).stem().string() + " (" +
                                      platform::ReadProcessIdentity().ComputerName + ") OrvoExtraPayments.ovm.log"));
    EXPECT_NE(log.find("info  Starting ExtraPayments\r\n"), std::string::npos);
    EXPECT_NE(log.find("[TPaymentMethodUber.DoPaymentPopup] Uber: Amount: 120.5 | Gratuity: 29.5 | Reference: UB-7731"),
              std::string::npos);
    EXPECT_NE(log.find("[TfrmExtraPaymentsReports.RunForRange]  Running for range : "), std::string::npos);
    EXPECT_EQ(log.find("EXC"), std::string::npos) << log;
}

TEST_F(DemoSession, EveryRegistrationIsWithdrawnWhenTheSessionEnds) {
    THostSession session(
        options, [](IFormView&) {}, [](const std::string&, const std::string&, std::string&) { return false; },
        [](const std::string&) {});
    session.Start();
    const size_t withModule = session.RegistrationCount();
    session.Stop();
    EXPECT_EQ(withModule - session.RegistrationCount(), 9u);
}

TEST_F(DemoSession, ATillPersonPaysWithKeysAndTypedText) {
    // Pay, pick Mr D for 85, type the reference into box 1, press the gratuity button ("1"),
    // type 10 on the keypad, press OK; then the report, This Month; then quit.
    std::istringstream keys("p\nMr D\n85\ne1 MRD-1\n1\n10\no\nr\ni\nq\nq\n");
    std::ostringstream screen;
    ASSERT_EQ(RunTill(options, keys, screen), kExitOk) << screen.str();
    EXPECT_NE(screen.str().find("| (o) OK\n"), std::string::npos) << screen.str();
    EXPECT_NE(screen.str().find("invoice 1 saved: Mr D 85.00 + gratuity 10.00"), std::string::npos) << screen.str();
    EXPECT_EQ(Query("SELECT [ReferenceNumber], [Amount], [InvoiceNum] FROM [ExtraPaymentTransactions]"),
              R"([{"ReferenceNumber":"MRD-1","Amount":95,"InvoiceNum":1}])");
    EXPECT_NE(ReadFile(options.pageFile).find("<h3>Payment Type: Mr D</h3>"), std::string::npos);
}

// The program itself: clear errors and exit codes for what a user gets wrong.
int RunHost(const std::string& arguments) {
    return WEXITSTATUS(std::system((std::string(ORVO_HOST_PROGRAM) + " " + arguments + " >/dev/null 2>&1").c_str()));
}

TEST_F(DemoSession, TheProgramSaysWhatIsWrongWithItsExitCode) {
    const std::string out = "--out '" + folder.Path().string() + "' ";
    EXPECT_EQ(RunHost(out + "--module /nonexistent/OrvoExtraPayments.ovm demo"), kExitLibrary);
    std::ofstream(folder / "not-a-module.ovm") << "text";
    EXPECT_EQ(RunHost(out + "--module '" + (folder / "not-a-module.ovm") + "' demo"), kExitLibrary);
    EXPECT_EQ(RunHost(out + "--db /nonexistent/folder/suite.db pay --method Uber --due 10"), kExitDatabase);
    EXPECT_EQ(RunHost(out + "pay --method Zapper --due 10"), kExitUsage);
    EXPECT_EQ(RunHost(out + "pay --method Uber --due ten"), kExitUsage);
    EXPECT_EQ(RunHost(out + "report --range next-year"), kExitUsage);
    EXPECT_EQ(RunHost(out + "fly"), kExitUsage);
    EXPECT_EQ(RunHost(out + "pay --method Uber --due 10 --tendered 12 --reference T1 --invoice 7"), kExitOk);
    EXPECT_EQ(RunHost(out + "report --from 2000-01-01 --to 2099-12-31"), kExitOk);
}

// Mended: under a comma-decimal locale the program typed "150.00", which the module rightly
// took for no number, and exited 0 with 0.00 recorded; invoice numbers that are no number or
// beyond its range were taken as 0 or wrapped.
TEST_F(DemoSession, PayTypesAmountsAsTheLocaleWritesThemAndSaysWhenTheModuleRecordedOthers) {
    struct TCase {
        const char* locale;
        const char* arguments;
        int exitCode;
        const char* recorded;  // the transaction's amount with gratuity
    };
    const TCase cases[] = {
        {"C", "--due 120.50 --tendered 150", kExitOk, R"([{"Amount":150}])"},
        {"de_DE.UTF-8", "--due 120.50 --tendered 150", kExitOk, R"([{"Amount":150}])"},
        {"de_DE.UTF-8", "--due 120.50 --gratuity 9.5", kExitOk, R"([{"Amount":130}])"},
        // Two decimals are all the keypad takes: 12.005 is typed as 12,01.
        {"de_DE.UTF-8", "--due 10 --tendered 12.005", kExitFailed, R"([{"Amount":12.01}])"},
        {"C", "--due 10 --invoice abc", kExitUsage, "[]"},
        {"C", "--due 10 --invoice 99999999999", kExitUsage, "[]"},
    };
    // The C library's newlocale keeps the list it makes of LOCPATH: its leak, not the program's.
    std::ofstream(folder / "lsan.supp") << "leak:__argz_add_sep\n";
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + c.arguments);
        options.databasePath = folder / (std::to_string(&c - cases) + ".db");
        const std::string command = "LSAN_OPTIONS=suppressions='" + (folder / "lsan.supp") + "' LOCPATH='" +
                                    ORVO_TEST_LOCALES + "' LC_ALL=" + c.locale + " " + ORVO_HOST_PROGRAM + " --out '" +
                                    folder.Path().string() + "' --db '" + options.databasePath.string() +
                                    "' pay --method Uber " + c.arguments + " >/dev/null 2>&1";
        EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), c.exitCode);
        if (fs::exists(options.databasePath)) {
            EXPECT_EQ(Query("SELECT [Amount] FROM [ExtraPaymentTransactions]"), c.recorded);
        }
    }
}

}  // namespace
}  // namespace orvo::host
