// The host's container as the module holds it between InitModule and FinalModule, and the one
// way every Part reaches the host's services through it.
#pragma once
#include <string_view>

#include "interfaces/intfDI.h"

namespace orvo {

// The container handed to InitModule; empty before it and after FinalModule.
ComPtr<IDIContainer> HeldContainer();

// Holds container from now on and returns the one held before; the caller lets go of that one
// outside the hold's lock, since releasing it may run the host's code.
ComPtr<IDIContainer> HoldContainer(ComPtr<IDIContainer> container);

// Empties the hold if it still holds container, and returns what it let go of (empty otherwise).
ComPtr<IDIContainer> LetGoOfContainer(const ComPtr<IDIContainer>& container);

// The host's services through one container. Each look-up answers empty when the host has no
// such service, or when there is no container at all: an optional service (event manager, menu
// manager) is then skipped; a required one goes through Required.
class TServices {
public:
    explicit TServices(ComPtr<IDIContainer> container) : container_(std::move(container)) {}

    // A new object from the factory registered for T (Resolve).
    template <class T>
    ComPtr<T> New() const {
        return container_ ? ResolveOf<T>(*container_) : nullptr;
    }
    // A new object from the factory registered for T under name (ResolveNamed).
    template <class T>
    ComPtr<T> Named(const AnsiString& name) const {
        return container_ ? ResolveNamedOf<T>(*container_, name) : nullptr;
    }
    // The one object registered for T (GetInstance), shared with the host.
    template <class T>
    ComPtr<T> Shared() const {
        return container_ ? GetInstanceOf<T>(*container_) : nullptr;
    }

private:
    ComPtr<IDIContainer> container_;
};

// The services of the held container.
TServices HostServices();

// Where an operation asks for a service it cannot do without: the unit and line its assertion
// error names.
struct TAssertPlace {
    std::string_view unit;
    int line;
};

// A service the operation cannot do without: the service itself, or, when the host supplied
// none, the assertion error "<what> (<unit>, line <n>)" ("Could not create DBScript").
template <class T>
ComPtr<T> Required(ComPtr<T> service, std::string_view what, TAssertPlace place) {
    if (!service) throw EAssertionFailed(what, place.unit, place.line);
    return service;
}

}  // namespace orvo
