// A Windows test program that hangs (a modal window nobody closes, a wait that never ends) would
// hold the suite until CTest's timeout and say nothing. This watch ends it sooner instead,
// naming the test and the windows the program had open, so the hang can be told from a slow run.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace orvo::test {
namespace {

// Far above the slowest test under Wine on a loaded machine (a few seconds).
constexpr DWORD kLimitMs = 180000;

BOOL CALLBACK PrintOwnWindow(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    char className[128] = {}, caption[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    std::fprintf(stderr, "  window \"%s\" (%s)%s%s\n", caption, className, IsWindowVisible(window) ? "" : " hidden",
                 IsWindowEnabled(window) ? "" : " disabled");
    return TRUE;
}

class THangWatch : public ::testing::EmptyTestEventListener {
public:
    THangWatch() : testEnded_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

private:
    void OnTestStart(const ::testing::TestInfo& test) override {
        name_ = std::string(test.test_suite_name()) + "." + test.name();
        ResetEvent(testEnded_);
        watcher_ = CreateThread(nullptr, 0, &THangWatch::Watch, this, 0, nullptr);
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        SetEvent(testEnded_);
        if (!watcher_) return;
        WaitForSingleObject(watcher_, INFINITE);
        CloseHandle(watcher_);
        watcher_ = nullptr;
    }

    static DWORD WINAPI Watch(void* self) {
        auto& watch = *static_cast<THangWatch*>(self);
        if (WaitForSingleObject(watch.testEnded_, kLimitMs) == WAIT_OBJECT_0) return 0;
        std::fprintf(stderr, "%s did not end within %lu s; the program is ended. Its top-level windows:\n",
                     watch.name_.c_str(), static_cast<unsigned long>(kLimitMs / 1000));
        EnumWindows(&PrintOwnWindow, 0);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
        return 0;
    }

    HANDLE testEnded_;
    HANDLE watcher_ = nullptr;
    std::string name_;
};

const bool gWatching = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new THangWatch);
    return true;
}();

}  // namespace
}  // namespace orvo::test
