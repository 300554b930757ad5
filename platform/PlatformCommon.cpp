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

int CompareTextByTable(std::string_view a, std::string_view b) {
    const std::array<char, 256>& lower = Regional().LowerCase;
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(lower[static_cast<unsigned char>(a[i])]);
        const auto cb = static_cast<unsigned char>(lower[static_cast<unsigned char>(b[i])]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace orvo::platform
