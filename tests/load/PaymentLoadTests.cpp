// Ten thousand payments through the reference host's database in one process: ten thousand
// transaction rows, memory that stays flat (the peak resident size after 1,000 and after
// 10,000 payments is printed), and every object released at the end.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>

#include "host/THostStrings.h"
#include "host/sqlite/SqlResult.h"
#include "host/sqlite/TSqliteScript.h"
#include "interfaces/intfDatabaseChanges.h"
#include "tests/load/LoadSize.h"
#include "tests/payments/PaymentTestRig.h"

namespace orvo::test {
namespace {

// The peak resident size of this process in kB (VmHWM), 0 where the system does not say.
long PeakResidentKB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// Starts the peak over from the present resident size, so earlier tests of the program do not count.
void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

class PaymentLoad : public TPaymentTestRig {};

TEST_F(PaymentLoad, TenThousandPaymentsLeaveTenThousandRowsFlatMemoryAndNoObjectBehind) {
    const int payments = LoadSize(10000);
    long peakAtTenth = 0, databaseAtTenth = 0;
    auto database = std::make_shared<host::TSqliteDatabase>(":memory:");
    database->CreateSuiteTables();
    host.container->RegisterFactory(IDBScript::IID, MakeObject<host::TSqliteScriptFactory>(database).Get());
    {
        host::THostStrings scripts;
        ResolveNamedOf<IDatabaseChanges>(*host.container, "ExtraPayments")->GetChanges(0, scripts);
        for (const AnsiString& script : scripts.Lines()) database->Run(script.view());
    }
    // Counted with the module freshly initialised, as it is counted again at the end.
    FinalModule();
    InitModule(host.container.Get());
    const int32_t liveAtStart = gLiveObjectCount.load();
    ResetPeakResident();
    {
        const char* methods[] = {"Uber", "Mr D", "ABSA", "Nedbank", "Other CC"};
        for (int i = 0; i < payments; ++i) {
            host.answers = {{true, std::to_string(100 + i % 50)}};
            forms->Type("txtReference", "REF-" + std::to_string(i)).Click("btnAmount").Click("btnOKNew");
            auto method = NewMethod(methods[i % 5]);
            method->SetAmount(1000000);
            ASSERT_TRUE(method->DoPaymentPopup()) << "payment " << i;
            method->InsertSQL(100000 + i);
            host.journal->clear();  // the test host's own records, not the module's
            host.container->ClearJournal();
            if (i + 1 == payments / 10) {
                peakAtTenth = PeakResidentKB();
                databaseAtTenth = long(sqlite3_memory_used() / 1024);
            }
        }
        const long peakAtEnd = PeakResidentKB(), databaseAtEnd = long(sqlite3_memory_used() / 1024);
        std::printf(
            "[ load     ] peak resident size %ld kB after %d payments, %ld kB after %d; "
            "the database's own memory %ld kB and %ld kB\n",
            peakAtTenth, payments / 10, peakAtEnd, payments, databaseAtTenth, databaseAtEnd);
        const std::string counts = host::ResultJSON(
            *database->Run("SELECT COUNT(*) AS [N], COUNT([InvoiceNum]) AS [I] FROM [ExtraPaymentTransactions]")
                 .lastResult);
        EXPECT_EQ(counts, "[{\"N\":" + std::to_string(payments) + ",\"I\":" + std::to_string(payments) + "}]");
        // The rows grow the database; everything else stays within a few MB.
        if (!kLoadReduced) {
            EXPECT_LT((peakAtEnd - peakAtTenth) - (databaseAtEnd - databaseAtTenth), 4 * 1024)
                << "memory beyond the database's grows with the payments";
        }
    }
    // The module as it was before the first payment: what the payments made is all gone.
    FinalModule();
    InitModule(host.container.Get());
    EXPECT_EQ(gLiveObjectCount.load(), liveAtStart) << "objects left alive after the payments";
}

}  // namespace
}  // namespace orvo::test
