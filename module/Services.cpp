#include "module/Services.h"

#include <mutex>
#include <new>

namespace orvo {
namespace {
std::mutex gContainerMutex;

// The container outlives every static destructor of the library: the unload notification,
// which may run after them, still has to withdraw the registrations through it.
ComPtr<IDIContainer>& Held() {
    alignas(ComPtr<IDIContainer>) static unsigned char storage[sizeof(ComPtr<IDIContainer>)];
    static ComPtr<IDIContainer>* held = new (storage) ComPtr<IDIContainer>();
    return *held;
}
}  // namespace

ComPtr<IDIContainer> HeldContainer() {
    std::lock_guard lock(gContainerMutex);
    return Held();
}

ComPtr<IDIContainer> HoldContainer(ComPtr<IDIContainer> container) {
    std::lock_guard lock(gContainerMutex);
    std::swap(Held(), container);
    return container;
}

ComPtr<IDIContainer> LetGoOfContainer(const ComPtr<IDIContainer>& container) {
    std::lock_guard lock(gContainerMutex);
    if (!(Held() == container)) return nullptr;
    return std::move(Held());
}

TServices HostServices() { return TServices(HeldContainer()); }

}  // namespace orvo
