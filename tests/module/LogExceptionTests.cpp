// Exception lines: errors caught by the module's code ("EXC") and, on Windows, hardware
// exceptions raised inside the module's own code ("EXCOS").
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/LogFiles.h"

#if defined(_WIN32)
#include <windows.h>

#include "platform/OsExceptionWatch.h"
#endif

namespace orvo {
namespace {
using namespace test;

class ExceptionLines : public ::testing::Test {
protected:
    void SetUp() override { ModuleLog().Configure(LogIdentity(folder)); }
    void TearDown() override { ModuleLog().Configure({}); }
    std::vector<std::string> Written() {
        ModuleLog().Close();
        return Messages(ReadWhole(LivePath(folder)));
    }
    TTempFolder folder;
};

TEST_F(ExceptionLines, ACaughtErrorIsWrittenWithItsClassAndMessageBeforeTheHandlersOwnLine) {
    try {
        throw EConvertError("'12,5x' is not a valid amount");
    } catch (const std::exception& e) {
        LogCaught(e);
        LogError("[TPaymentMethodUber.DoPaymentPopup] Error : %", e.what());
    }
    try {
        throw std::out_of_range("index 3");
    } catch (const std::exception& e) {
        LogCaught(e);
    }
    EXPECT_EQ(Written(), (std::vector<std::string>{
                             "EConvertError (\"'12,5x' is not a valid amount\")",
                             "[TPaymentMethodUber.DoPaymentPopup] Error : '12,5x' is not a valid amount",
                             "std::out_of_range (\"index 3\")",
                         }));
    EXPECT_NE(ReadWhole(LivePath(folder)).find(" EXC   EConvertError"), std::string::npos);
}

// A value can never make a line of its own or hide bytes in the file: control characters in any
// argument's text, typed, scanned or quoted by the database, are written as escapes.
TEST_F(ExceptionLines, ControlCharactersInATextAreWrittenAsEscapesSoEachLineStaysOneLine) {
    const struct {
        std::string text;
        std::string written;
    } rows[] = {
        {"evil\r\n2026-01-01 00:00:00.000 info   [TPaymentMethodUber.DoPaymentPopup] FORGED",
         "evil\\r\\n2026-01-01 00:00:00.000 info   [TPaymentMethodUber.DoPaymentPopup] FORGED"},
        {std::string("UB\0-1\tx", 7), "UB\\0-1\\tx"},
        {"\x1b[31mred\x7f\x01\x1f", "\\x1B[31mred\\x7F\\x01\\x1F"},
        // Backslashes of a Windows path, ANSI letters and "%" stay as they are.
        {"C:\\Orvo\\new\\rates.txt Caf\xe9 \xa3 100%", "C:\\Orvo\\new\\rates.txt Caf\xe9 \xa3 100%"},
    };
    std::vector<std::string> expected;
    for (const auto& row : rows) {
        LogInfo("[TPaymentMethodUber.DoPaymentPopup] Reference: % | Amount: %", row.text, Money{1500000});
        expected.push_back("[TPaymentMethodUber.DoPaymentPopup] Reference: " + row.written + " | Amount: 150");
    }
    // A database error quoting its statement, through the path of every catch site.
    try {
        throw std::runtime_error(
            "Statement 1 failed: near \"VALUES\":\r\nINSERT INTO [ExtraPaymentLog]\n\tVALUES ('x')");
    } catch (const std::exception& e) {
        LogCaught(e);
        LogError("[TExtraPaymentsTransaction.AddTransaction] Error : %", e.what());
    }
    const std::string quoted =
        "Statement 1 failed: near \"VALUES\":\\r\\nINSERT INTO [ExtraPaymentLog]\\n\\tVALUES ('x')";
    expected.push_back("std::runtime_error (\"" + quoted + "\")");
    expected.push_back("[TExtraPaymentsTransaction.AddTransaction] Error : " + quoted);

    EXPECT_EQ(Written(), expected);
    const std::string text = ReadWhole(LivePath(folder));
    EXPECT_EQ(SplitLines(text).size(), 7 + expected.size()) << "the header's seven lines and one for each write";
    EXPECT_EQ(text.find('\0'), std::string::npos);
}

#if defined(_WIN32) && defined(__i386__)
int gRecovered = 42;
bool gArmed = false;

// Lets the deliberate fault below go on: points the register it read through at a real value.
LONG CALLBACK RecoverDeliberateFault(EXCEPTION_POINTERS* info) {
    if (!gArmed || info->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION) return EXCEPTION_CONTINUE_SEARCH;
    gArmed = false;
    info->ContextRecord->Eax = DWORD(uintptr_t(&gRecovered));
    return EXCEPTION_CONTINUE_EXECUTION;
}

// Reads through a null pointer held in EAX: an access violation inside this program's code.
int ReadThroughNull() {
    int value = 0;
    asm volatile("movl (%1), %0" : "=r"(value) : "a"(static_cast<int*>(nullptr)) : "memory");
    return value;
}

TEST_F(ExceptionLines, AnAccessViolationInsideTheModulesCodeIsWrittenAsEXCOS) {
    platform::WatchOsExceptions(&LogOsException);
    void* recovery = AddVectoredExceptionHandler(0, &RecoverDeliberateFault);  // runs after the watch
    gArmed = true;
    const int value = ReadThroughNull();
    RemoveVectoredExceptionHandler(recovery);
    platform::StopWatchingOsExceptions();
    ASSERT_EQ(value, 42);

    const std::vector<std::string> lines = SplitLines(ReadWhole(LivePath(folder)));
    ASSERT_FALSE(lines.empty());
    const std::string& line = lines.back();
    EXPECT_EQ(line.substr(24, 6), "EXCOS ");
    EXPECT_NE(line.find("EAccessViolation (\"Access violation at address "), std::string::npos) << line;
    EXPECT_NE(line.find(" in module 'orvo_module_tests.exe'. Read of address 00000000\")"), std::string::npos) << line;
}

TEST_F(ExceptionLines, AnExceptionRaisedOutsideTheModulesCodeWritesNothing) {
    platform::WatchOsExceptions(&LogOsException);
    void* recovery = AddVectoredExceptionHandler(0, &RecoverDeliberateFault);
    LogInfo("only line");
    gArmed = true;
    // Raised at an address in the system's own code, even though this program asked for it.
    RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr);
    RemoveVectoredExceptionHandler(recovery);
    platform::StopWatchingOsExceptions();
    EXPECT_FALSE(gArmed) << "the exception was raised";
    EXPECT_EQ(Written(), std::vector<std::string>{"only line"});
}
#endif

}  // namespace
}  // namespace orvo
