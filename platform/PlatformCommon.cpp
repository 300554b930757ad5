// The replaceable parts of the platform seams, shared by both implementations.
#include <mutex>
#include <optional>

#include "Platform.h"

namespace orvo::platform {
namespace {
std::mutex gSeamMutex;
std::optional<TRegionalSettings> gRegional;
std::function<TDateTime()> gClock;
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
}

}  // namespace orvo::platform
