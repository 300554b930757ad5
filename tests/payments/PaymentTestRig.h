// A host for payment methods: every recording double, a scripted form host, the module
// initialised against them, a recording change handler and cash-up callbacks, and the log in a
// temporary folder.
#pragma once
#include <fstream>
#include <iterator>

#include "entry/ModuleLifecycle.h"
#include "interfaces/intfPaymentMethod.h"
#include "module/Log.h"
#include "tests/support/TestFormHost.h"
#include "tests/support/TestSupport.h"

namespace orvo::test {

// What the host's callbacks received, as readable lines.
struct TCallbackRecorder {
    std::vector<std::string> calls;
    void OnChange(IPaymentMethod* method) {
        calls.push_back("change amount=" + std::to_string(method->GetAmount()) +
                        " gratuity=" + std::to_string(method->GetGratuity()));
    }
    void AddEntry(int32_t invoice, int32_t shift, const AnsiString& name, const AnsiString& parent, int32_t a,
                  double value, int32_t b, int32_t c) {
        calls.push_back("add " + std::to_string(invoice) + " " + std::to_string(shift) + " " + name.str() + " [" +
                        parent.str() + "] " + std::to_string(a) + " " + std::to_string(value) + " " +
                        std::to_string(b) + " " + std::to_string(c));
    }
    void RemoveEntry(int32_t invoice, int32_t shift, const AnsiString& name) {
        calls.push_back("remove " + std::to_string(invoice) + " " + std::to_string(shift) + " " + name.str());
    }
    TPaymentChangeEvent Change() { return BindMethod<&TCallbackRecorder::OnChange>(this); }
    TAddCashupEntryEvent Add() { return BindMethod<&TCallbackRecorder::AddEntry>(this); }
    TRemoveCashupEntryEvent Remove() { return BindMethod<&TCallbackRecorder::RemoveEntry>(this); }
};

class TPaymentTestRig : public ::testing::Test {
protected:
    void SetUp() override {
        platform::TProcessIdentity id;
        id.ModulePath = folder / "OrvoExtraPayments.ovm";
        id.HostProgramPath = "/suite/Invoicing.exe";
        id.ComputerName = "POS2";
        ModuleLog().Configure(id);
        host.container->RegisterInstance(IFormHost::IID, forms->AsIInterface());
        FinalModule();
        InitModule(host.container.Get());
        host.journal->clear();
    }
    void TearDown() override {
        FinalModule();
        ModuleLog().Configure({});
    }

    // A new payment object from the factory registered under name, as the host obtains it.
    ComPtr<IPaymentMethod> NewMethod(const std::string& name = "Uber") {
        return ResolveNamedOf<IPaymentMethod>(*host.container, AnsiString(name));
    }

    std::string LogText() const {
        std::ifstream in(ModuleLog().FilePath(), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }

    // The journal lines that start with prefix.
    std::vector<std::string> JournalOf(std::string_view prefix) const {
        std::vector<std::string> out;
        for (const auto& line : *host.journal)
            if (line.rfind(prefix, 0) == 0) out.push_back(line);
        return out;
    }

    TTempFolder folder;
    TScopedRegional regional{PointRegional()};
    TTestHost host;
    ComPtr<TTestFormHost> forms = MakeObject<TTestFormHost>(host.journal);
    TCallbackRecorder recorder;
};

}  // namespace orvo::test
