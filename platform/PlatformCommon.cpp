// The replaceable parts of the platform seams, shared by both implementations.
#include <atomic>
#include <mutex>
#include <optional>

#include "platform/Platform.h"

namespace orvo::platform {
namespace {
std::mutex gSeamMutex;
std::optional<TRegionalSettings> gRegional;
std::function<TDateTime()> gClock;
std::atomic<bool> gClockReplaced{false};  // read on every log line: no lock unless a test replaced it
}  // namespace

TDateTime SystemNow();  // each implementation supplies the OS clock

const TRegionalSettings& Regional() {
    std::lock_guard lock(gSeamMutex);
    if (!gRegional) gRegional = ReadRegionalSettings();
    return *gRegional;
}

void SetRegional(const TRegionalSettings& settings) {
    std::lock_guard lock(gSeamMutex);
    gRegional = settings;
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
