// The replaceable parts of the platform seams, shared by both implementations.
#include <algorithm>
#include <atomic>
#include <list>
#include <mutex>

#include "platform/Platform.h"

namespace orvo::platform {
namespace {
std::mutex gSeamMutex;
// Each distinct record ever put in force, kept for the process's life: a reference handed out
// stays valid when a test or host replaces the settings, and the one in force is read without a
// lock (a name lookup compares through it once per line).
std::list<TRegionalSettings> gRegionalRecords;
std::atomic<const TRegionalSettings*> gRegional{nullptr};
std::function<TDateTime()> gClock;
std::atomic<bool> gClockReplaced{false};  // read on every log line: no lock unless a test replaced it
}  // namespace

TDateTime SystemNow();  // each implementation supplies the OS clock

const TRegionalSettings& Regional() {
    if (const TRegionalSettings* settings = gRegional.load(std::memory_order_acquire)) return *settings;
    std::lock_guard lock(gSeamMutex);
    if (!gRegional.load(std::memory_order_relaxed))
        gRegional.store(&gRegionalRecords.emplace_back(ReadRegionalSettings()), std::memory_order_release);
    return *gRegional.load(std::memory_order_relaxed);
}

void SetRegional(const TRegionalSettings& settings) {
    std::lock_guard lock(gSeamMutex);
    auto known = std::find(gRegionalRecords.begin(), gRegionalRecords.end(), settings);
    const TRegionalSettings& record =
        known != gRegionalRecords.end() ? *known : gRegionalRecords.emplace_back(settings);
    gRegional.store(&record, std::memory_order_release);
}

TDateTime Now() {
    if (!gClockReplaced.load(std::memory_order_acquire)) return SystemNow();
    std::function<TDateTime()> clock;
    {
        std::lock_guard lock(gSeamMutex);
        clock = gClock;
    }
    return clock ? clock() : SystemNow();
}

void SetClock(std::function<TDateTime()> clock) {
    std::lock_guard lock(gSeamMutex);
    gClock = std::move(clock);
    gClockReplaced.store(bool(gClock), std::memory_order_release);
}

}  // namespace orvo::platform
