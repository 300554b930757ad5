// The log's file name and place, its line layout, and the filling of "%" placeholders.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "module/Log.h"
#include "platform/DateTime.h"
#include "tests/support/LogFiles.h"
#include "tests/support/TestSupport.h"

namespace orvo {
namespace {

std::string Fill(std::string_view pattern, std::initializer_list<TLogArg> args) {
    std::string out;
    FillPattern(out, pattern, args.begin(), args.size());
    return out;
}

TEST(LogPattern, FillsPlaceholdersInOrderWithTextIntegersAndMoney) {
    EXPECT_EQ(Fill("[TPaymentMethodUber.DoPaymentPopup] %: New Transaction : %", {"Uber", 17}),
              "[TPaymentMethodUber.DoPaymentPopup] Uber: New Transaction : 17");
    EXPECT_EQ(Fill("% | % | % | %", {Money{1205000}, Money{1500000}, Money{-90000}, Money{1}}),
              "120.5 | 150 | -9 | 0.0001");
    EXPECT_EQ(Fill("%", {int64_t(INT64_MIN)}), "-9223372036854775808");
    EXPECT_EQ(Fill("%", {Money{INT64_MIN}}), "-922337203685477.5808");
}

TEST(LogPattern, TextIsInsertedUnchangedEvenWhenItHoldsPercentSigns) {
    EXPECT_EQ(Fill("Error : %", {"100% broken: %d"}), "Error : 100% broken: %d");
}

TEST(LogPattern, MissingArgumentsLeaveThePlaceholderAndExtraOnesAreIgnored) {
    EXPECT_EQ(Fill("% -> %", {1}), "1 -> %");
    EXPECT_EQ(Fill("no placeholder", {1, 2}), "no placeholder");
    EXPECT_EQ(Fill("", {}), "");
}

TEST(LogName, ProgramWithoutExtensionComputerInParenthesesAndModuleFileName) {
    platform::TProcessIdentity id;
    id.HostProgramPath = "C:\\Orvo\\Invoicing.exe";
    id.ComputerName = "POS2";
    id.ModulePath = "D:\\Modules\\OrvoExtraPayments.ovm";
    EXPECT_EQ(LogFileName(id), "Invoicing (POS2) OrvoExtraPayments.ovm.log");
    EXPECT_EQ(LogFolder(id), "D:\\Modules\\");
    id.HostProgramPath = "/opt/suite/BackOffice";
    id.ModulePath = "/opt/modules/OrvoExtraPayments.ovm";
    EXPECT_EQ(LogFileName(id), "BackOffice (POS2) OrvoExtraPayments.ovm.log");
    EXPECT_EQ(LogFolder(id), "/opt/modules/");
}

TEST(LogFile, AppendsStampedTaggedLinesEndingInCarriageReturnLineFeed) {
    test::TTempFolder folder;
    test::TScopedClock clock(EncodeDate(2026, 3, 4) + EncodeTime(5, 6, 7, 89));
    platform::TProcessIdentity id;
    id.HostProgramPath = "/suite/BackOffice.exe";
    id.ComputerName = "TILL01";
    id.ModulePath = folder / "OrvoExtraPayments.ovm";
    TModuleLog log;
    log.Configure(id);
    const TLogArg args[] = {TLogArg("boom")};
    log.Write(TLogLevel::Exception, "[X.Y] Error : %", args, 1);
    log.Write(TLogLevel::Info, "second", nullptr, 0);
    log.Close();
    log.Configure(id);  // a new run appends to the same file
    log.Write(TLogLevel::Info, "third", nullptr, 0);
    log.Close();

    EXPECT_EQ(log.FilePath(), folder / "BackOffice (TILL01) OrvoExtraPayments.ovm.log");
    std::ifstream in(log.FilePath(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const std::string expectedTail =
        "2026-03-04 05:06:07.089 EXC   [X.Y] Error : boom\r\n"
        "2026-03-04 05:06:07.089 info  second\r\n";
    EXPECT_NE(text.find(expectedTail), std::string::npos) << text;
    EXPECT_NE(text.find("2026-03-04 05:06:07.089 info  third\r\n"), std::string::npos) << text;
    EXPECT_LT(text.find("second"), text.find("third"));
}

// The stamp's text up to the seconds is kept while the second stays: it must follow the second,
// the day, a clock set back and milliseconds rounded into the next second.
TEST(LogFile, TimeStampsFollowTheClockAcrossSecondsDaysAndAClockSetBack) {
    const TDateTime day = EncodeDate(2026, 3, 4), next = EncodeDate(2026, 3, 5);
    const std::pair<TDateTime, std::string> rows[] = {
        {day + EncodeTime(23, 59, 58, 5), "2026-03-04 23:59:58.005"},
        {day + EncodeTime(23, 59, 59, 998), "2026-03-04 23:59:59.998"},
        {next - 0.4 / 86400000.0, "2026-03-05 00:00:00.000"},  // 0.4 ms before midnight
        {next + EncodeTime(0, 0, 0, 1), "2026-03-05 00:00:00.001"},
        {day + EncodeTime(23, 59, 59, 999), "2026-03-04 23:59:59.999"},  // set back
        {next + EncodeTime(0, 0, 1, 0), "2026-03-05 00:00:01.000"},
    };
    test::TTempFolder folder;
    TModuleLog log;
    log.Configure(test::LogIdentity(folder));
    std::vector<std::string> expected;
    for (const auto& [clock, stamp] : rows) {
        test::TScopedClock scoped(clock);
        log.Write(TLogLevel::Info, "tick", nullptr, 0);
        expected.push_back(stamp + " info  tick");
    }
    log.Close();
    const std::vector<std::string> lines = test::SplitLines(test::ReadWhole(test::LivePath(folder)));
    EXPECT_EQ(std::vector<std::string>(lines.end() - int(std::size(rows)), lines.end()), expected);
}

TEST(LogFile, UnconfiguredOrUnopenableLogDropsLinesAndGoesOn) {
    TModuleLog unconfigured;
    unconfigured.Write(TLogLevel::Info, "dropped", nullptr, 0);
    EXPECT_EQ(unconfigured.FilePath(), "");

    test::TTempFolder folder;
    platform::TProcessIdentity id;
    id.HostProgramPath = "/suite/BackOffice.exe";
    id.ComputerName = "TILL01";
    id.ModulePath = (folder.Path() / "missing-folder" / "OrvoExtraPayments.ovm").string();
    TModuleLog log;
    TLogSettings noWaits;
    noWaits.WaitBeforeRetry = [] {};
    log.Configure(id, noWaits);
    log.Write(TLogLevel::Info, "dropped", nullptr, 0);  // must not throw
    EXPECT_FALSE(std::filesystem::exists(log.FilePath()));
}

}  // namespace
}  // namespace orvo

namespace orvo {
namespace {

TEST(LogCaughtErrors, NameTheModulesOwnClassesAndDemangleOthers) {
    EXPECT_EQ(ErrorClassName(EConvertError("x")), "EConvertError");
    EXPECT_EQ(ErrorClassName(EAssertionFailed("Could not create DBScript", "implX", 7)), "EAssertionFailed");
    EXPECT_EQ(ErrorClassName(std::runtime_error("x")), "std::runtime_error");
    EXPECT_STREQ(EAssertionFailed("Could not create DBScript", "implX", 7).what(),
                 "Could not create DBScript (implX, line 7)");
}

}  // namespace
}  // namespace orvo
