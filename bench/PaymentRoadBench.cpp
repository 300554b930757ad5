// The module's own cost per payment: a payment object from the container, the amount set, the
// popup run to its confirmation and the invoice tied, against host services that answer at
// once (a form host that clicks OK as soon as the window shows, a script service that accepts
// every statement and hands out transaction numbers) and the log writing to a temporary file.
// A regression in the payment road shows here, free of window and database time.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "entry/ModuleLifecycle.h"
#include "host/THostContainer.h"
#include "interfaces/ComPtr.h"
#include "interfaces/intfDBScript.h"
#include "interfaces/intfFormHost.h"
#include "interfaces/intfPaymentMethod.h"
#include "module/Log.h"

namespace {
using namespace orvo;

class TInstantFormHost : public TInterfacedObject<IFormHost> {
public:
    void ORVO_STDCALL ShowModal(IFormView* form) override { form->Click(form->IndexOfControl(AnsiString("btnOKNew"))); }
    void ORVO_STDCALL ReportError(IFormView*, const AnsiString&) override {}
};

class TInstantScript : public TInterfacedObject<IDBScript> {
public:
    int32_t ORVO_STDCALL ExecSQL(const AnsiString&, const TSQLArgs&) override { return 1; }
    AnsiString ORVO_STDCALL QueryValue(const AnsiString&, const AnsiString&) override {
        return AnsiString(std::to_string(++transaction_));
    }
    AnsiString ORVO_STDCALL QueryJSON(const AnsiString&, const TSQLArgs&) override { return AnsiString("[]"); }

private:
    int transaction_ = 0;
};

class TSameObjectFactory : public TInterfacedObject<IDIFactory> {
public:
    explicit TSameObjectFactory(IInterface* object) : object_(ComPtr<IInterface>::AddRefOf(object)) {}
    IInterface* ORVO_STDCALL CreateObject() override { return ComPtr<IInterface>(object_).Detach(); }

private:
    ComPtr<IInterface> object_;
};

void PaymentRoad(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orvo-payment-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    platform::TProcessIdentity id;
    id.ModulePath = (folder / "OrvoExtraPayments.ovm").string();
    id.HostProgramPath = (folder / "Invoicing.exe").string();
    id.ComputerName = "TILL01";
    ModuleLog().Configure(id);

    auto container = MakeObject<host::THostContainer>();
    auto forms = MakeObject<TInstantFormHost>();
    auto script = MakeObject<TInstantScript>();
    container->RegisterInstance(IFormHost::IID, forms->AsIInterface());
    container->RegisterFactory(IDBScript::IID, MakeObject<TSameObjectFactory>(script->AsIInterface()).Get());
    InitModule(container.Get());
    int32_t invoice = 1000;
    for (auto _ : state) {
        container->ClearJournal();
        ComPtr<IPaymentMethod> method = ResolveNamedOf<IPaymentMethod>(*container, AnsiString("Uber"));
        method->SetAmount(1205000);
        if (!method->DoPaymentPopup()) state.SkipWithError("the popup did not confirm");
        method->InsertSQL(++invoice);
    }
    state.SetItemsProcessed(state.iterations());
    FinalModule();
    ModuleLog().Configure({});
    container->Clear();
    std::filesystem::remove_all(folder);
}
BENCHMARK(PaymentRoad)->Unit(benchmark::kMicrosecond);

}  // namespace
