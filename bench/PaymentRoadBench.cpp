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
#include "host/services/HostServices.h"
#include "interfaces/ComPtr.h"
#include "interfaces/intfDBScript.h"
#include "interfaces/intfFormHost.h"
#include "interfaces/intfPaymentMethod.h"
#include "module/Log.h"

namespace {
using namespace orvo;

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
    auto forms = MakeObject<host::THostFormHost>([](IFormView& form) { host::ClickButton(form, "btnOKNew"); },
                                                 [](const std::string&) {});
    auto script = MakeObject<host::THostScript>();
    container->RegisterInstance(IFormHost::IID, forms->AsIInterface());
    container->RegisterFactory(IDBScript::IID, host::SharedFactory(script->AsIInterface()).Get());
    InitModule(container.Get());
    int32_t invoice = 1000;
    for (auto _ : state) {
        script->values.push_back(std::to_string(invoice));  // the transaction's number
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
