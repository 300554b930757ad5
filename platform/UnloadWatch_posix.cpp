#include "platform/UnloadWatch.h"

#include <semaphore.h>

extern "C" int __cxa_atexit(void (*func)(void*), void* arg, void* dsoHandle);
extern "C" void* __dso_handle;
// Present only in sanitized builds: tells LeakSanitizer an allocation is kept on purpose.
extern "C" void __lsan_ignore_object(const void* p) __attribute__((weak));

namespace orvo::platform {
namespace {
struct TWatch {
    void (*onUnload)(bool);
    sem_t* exitMarker;
};

void RunWatch(void* arg) {
    auto* watch = static_cast<TWatch*>(arg);
    int posted = 0;
    sem_getvalue(watch->exitMarker, &posted);
    watch->onUnload(posted > 0);
    delete watch;  // the marker itself stays: libc may still post it at exit
}
}  // namespace

void WatchUnload(void (*onUnload)(bool processEnding)) {
    // The marker must outlive an unloaded library, so it is kept for the life of the process.
    auto* marker = new sem_t;
    if (__lsan_ignore_object) __lsan_ignore_object(marker);
    sem_init(marker, 0, 0);
    auto* watch = new TWatch{onUnload, marker};
    __cxa_atexit(&RunWatch, watch, &__dso_handle);
    // sem_post takes one pointer and its result is ignored: callable as an exit handler. The
    // cast goes through void(*)() as the compilers' documented way to say so.
    __cxa_atexit(reinterpret_cast<void (*)(void*)>(reinterpret_cast<void (*)()>(&sem_post)), marker, nullptr);
}

}  // namespace orvo::platform
