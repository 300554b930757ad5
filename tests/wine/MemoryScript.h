// The host's script service for the Windows suite, which has no database engine: it keeps the
// two tables a payment writes in memory, records every statement, and answers the report's
// queries with rows the test sets.
#pragma once
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "interfaces/intfDBScript.h"

namespace orvo::test {

struct TTransactionRow {
    int32_t id = 0;
    std::string paymentMethod, reference;
    double amount = 0;
};

class TMemoryScript : public TInterfacedObject<IDBScript> {
public:
    int32_t ExecSQL(const AnsiString& pattern, const TSQLArgs& args) override;
    // Adding a transaction row answers its new ID; other batches answer "".
    AnsiString QueryValue(const AnsiString& batch, const AnsiString& column) override;
    AnsiString QueryJSON(const AnsiString& pattern, const TSQLArgs& args) override;

    std::vector<TTransactionRow> Transactions() const;
    std::optional<TTransactionRow> Transaction(int32_t id) const;
    // [ExtraPaymentLog] messages, in order.
    std::vector<std::string> LogMessages() const;
    // Every statement: "ExecSQL <pattern> | <args>", "QueryValue <batch>", "QueryJSON <pattern> | <args>".
    std::vector<std::string> Statements() const;
    void SetReportRows(std::string totals, std::string details);

private:
    mutable std::mutex mutex_;
    std::vector<TTransactionRow> transactions_;
    std::vector<std::string> logMessages_, statements_;
    std::deque<std::string> answers_;  // QueryJSON answers, taken in turn; "[]" when none
};

}  // namespace orvo::test
