#include "backoffice/implExtraPaymentsManagement.h"

#include <mutex>
#include <vector>

#include "backoffice/FExtraPaymentsReports.h"
#include "interfaces/intfAuthentication.h"
#include "module/Services.h"

namespace orvo {
namespace {

// Every handle ever handed to the host stays allocated while the module is loaded.
void KeepForTheHost(std::shared_ptr<TManagementHandle> handle) {
    static std::mutex mutex;
    static std::vector<std::shared_ptr<TManagementHandle>> handedOut;
    std::lock_guard lock(mutex);
    handedOut.push_back(std::move(handle));
}

}  // namespace

void TManagementHandle::OnMainFormCreate(const AnsiString& eventName, void* sender, void* data) {
    if (target_) target_->OnMainFormCreate(eventName, sender, data);
}

void TManagementHandle::OnReportsMenuClick(void* sender) {
    if (!target_) return;
    // The object stays alive for the whole click, even if the host lets go of it meanwhile.
    ComPtr<TExtraPaymentsManagement> keep = ComPtr<TExtraPaymentsManagement>::AddRefOf(target_);
    keep->OnReportsMenuClick(sender);
}

TExtraPaymentsManagement::TExtraPaymentsManagement() : handle_(std::make_shared<TManagementHandle>(this)) {
    KeepForTheHost(handle_);
    const ComPtr<IEventManager> events = HostServices().Shared<IEventManager>();
    if (!events) return;
    const TEventHandler handler = BindMethod<&TManagementHandle::OnMainFormCreate>(handle_.get());
    events->Subscribe(AnsiString("Orvo.Invoicing.MainForm.Create"), handler);
    events->Subscribe(AnsiString("Orvo.BackOffice.MainForm.Create"), handler);
}

TExtraPaymentsManagement::~TExtraPaymentsManagement() { handle_->Clear(); }

void TExtraPaymentsManagement::OnMainFormCreate(const AnsiString&, void*, void*) {
    const ComPtr<IMainMenuManager> menus = HostServices().Shared<IMainMenuManager>();
    if (!menus) return;
    const AnsiString lists("Lists");
    menus->AddMenuItem(lists, AnsiString("-"), TMenuClickEvent{}, -1);
    menus->AddMenuItem(lists, AnsiString("Extra Payments Reports"),
                       BindMethod<&TManagementHandle::OnReportsMenuClick>(handle_.get()), -1);
}

void TExtraPaymentsManagement::OnReportsMenuClick(void*) {
    const ComPtr<IAuthentication> authentication =
        Required(HostServices().New<IAuthentication>(), "Could not create authentication",
                 {"implExtraPaymentsManagement", __LINE__});
    AnsiString userName;
    int32_t userId = 0;
    if (!authentication->CheckAccess(AnsiString("AM020"), userName, userId, 1, 0)) return;
    auto window = std::make_unique<TfrmExtraPaymentsReports>();
    window->ShowModal(HostServices().Shared<IFormHost>().Get());
}

ComPtr<IInterface> TExtraPaymentsManagementFactory::CreateObject() { return MakeBaseObject<TExtraPaymentsManagement>(); }

}  // namespace orvo
