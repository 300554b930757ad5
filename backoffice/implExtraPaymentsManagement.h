// The management object: hooks the module into the host programs' "Lists" menu and opens the
// reports window for users who hold "AM020".
#pragma once
#include <memory>

#include "interfaces/intfDI.h"
#include "interfaces/intfEventManager.h"
#include "interfaces/intfExtraPaymentsManagement.h"
#include "interfaces/intfMainMenuManager.h"

namespace orvo {

class TExtraPaymentsManagement;

// What the host's bound handlers point at. The host keeps handlers for good and cannot be
// asked to drop them, so they never point at the management object itself: this small handle
// outlives it, and once the object is gone a late event or click does nothing.
class TManagementHandle {
public:
    explicit TManagementHandle(TExtraPaymentsManagement* target) : target_(target) {}
    void Clear() { target_ = nullptr; }
    void OnMainFormCreate(const AnsiString& eventName, void* sender, void* data);
    void OnReportsMenuClick(void* sender);

private:
    TExtraPaymentsManagement* target_;
};

class TExtraPaymentsManagement : public TInterfacedObject<IExtraPaymentsManagement> {
public:
    // Subscribes OnMainFormCreate to both main-window events; without an event manager, nothing.
    TExtraPaymentsManagement();
    ~TExtraPaymentsManagement() override;

    // Adds a separator and "Extra Payments Reports" to "Lists" for each event received.
    void OnMainFormCreate(const AnsiString& eventName, void* sender, void* data);
    // Checks "AM020" and shows the reports window modally when granted.
    void OnReportsMenuClick(void* sender);

private:
    std::shared_ptr<TManagementHandle> handle_;
};

class TExtraPaymentsManagementFactory : public TInterfacedObject<IDIFactory> {
public:
    ComPtr<IInterface> CreateObject() override;
};

}  // namespace orvo
