// The reference host's database: SQLite (a file, or memory) standing in for the suite's SQL
// Server. It runs T-SQL batches through the translator, statement by statement, on one
// connection, and keeps the database's own clock for GETDATE().
#pragma once
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "host/sqlite/SqlDateTime.h"
#include "host/sqlite/SqlResult.h"

struct sqlite3;
struct sqlite3_context;
struct sqlite3_value;

namespace orvo::host {

using TDbClock = std::function<TDbDateTime()>;

// The computer's local time now.
TDbDateTime SystemLocalTime();

struct TBatchResult {
    std::optional<TSqlResult> lastResult;  // of the batch's last statement that returns rows
    int64_t changes = 0;                   // rows inserted, updated or deleted by the batch
};

class TSqliteDatabase {
public:
    // Opens or creates the database at path (":memory:" for one in memory). Raises EDatabaseError.
    explicit TSqliteDatabase(const std::string& path);
    ~TSqliteDatabase();
    TSqliteDatabase(const TSqliteDatabase&) = delete;
    TSqliteDatabase& operator=(const TSqliteDatabase&) = delete;

    // Replaces the database's clock; an empty function restores the computer's local time.
    void SetClock(TDbClock clock);

    // Translates the T-SQL batch whole, then runs its statements in order, each standing alone
    // as on SQL Server without a transaction: those before a failing one stay done. Raises
    // EDatabaseError naming the construct or the statement and the database's message.
    // Batches of different threads do not interleave.
    TBatchResult Run(std::string_view tsql);

    // Creates the suite's own tables when absent: Cashup, INVOICES, InvoicesPayment, EMPLOYEE.
    void CreateSuiteTables();

private:
    static void GetDateFunction(sqlite3_context* context, int, sqlite3_value**);
    static void ScopeIdentityFunction(sqlite3_context* context, int, sqlite3_value**);
    void RunStatement(size_t number, const std::string& sql, TBatchResult& result);
    [[noreturn]] void Fail(size_t number, std::string_view what) const;

    sqlite3* db_ = nullptr;
    std::mutex mutex_;
    TDbClock clock_;
    std::string statementTime_;             // GETDATE() of the running statement
    std::optional<int64_t> scopeIdentity_;  // SCOPE_IDENTITY() of the running batch
};

}  // namespace orvo::host
