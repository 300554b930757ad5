#include "host/sqlite/TSqliteDatabase.h"

#include <sqlite3.h>

#include <chrono>
#include <ctime>
#include <memory>

#include "host/sqlite/SqlError.h"
#include "host/sqlite/SqlFunctions.h"
#include "host/sqlite/SqlTranslator.h"

namespace orvo::host {
namespace {

// The suite's tables with the columns the module and the reference host use.
constexpr std::string_view kSuiteTables =
    "IF ( OBJECT_ID( 'Cashup', 'U' ) IS NULL ) CREATE TABLE [Cashup] ( [Number] INT NULL, [ShiftNum] INT NULL, "
    "[Name] VARCHAR(50) NULL, [ParentName] VARCHAR(50) NULL, [Value] MONEY NULL );\r\n"
    "IF ( OBJECT_ID( 'INVOICES', 'U' ) IS NULL ) CREATE TABLE [INVOICES] ( [INVOICENUM] INT NOT NULL PRIMARY KEY, "
    "[STATUS] INT NULL, [AFTERDISC] MONEY NULL, [CASHIER] INT NULL );\r\n"
    "IF ( OBJECT_ID( 'InvoicesPayment', 'U' ) IS NULL ) CREATE TABLE [InvoicesPayment] ( [InvoiceNum] INT NOT NULL, "
    "[PaymentType] VARCHAR(50) NOT NULL, [Amount] MONEY NULL, [Gratuity] MONEY NULL );\r\n"
    "IF ( OBJECT_ID( 'EMPLOYEE', 'U' ) IS NULL ) CREATE TABLE [EMPLOYEE] ( [EMPNUM] INT NOT NULL PRIMARY KEY, "
    "[FIRSTNAME] VARCHAR(30) NULL, [LASTNAME] VARCHAR(30) NULL );";

using TStatementHandle = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

TSqlValue ReadValue(sqlite3_stmt* statement, int column) {
    TSqlValue value;
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_NULL:
            break;
        case SQLITE_INTEGER:
            value.kind = TSqlValue::Kind::Integer;
            value.integer = sqlite3_column_int64(statement, column);
            break;
        case SQLITE_FLOAT:
            value.kind = TSqlValue::Kind::Real;
            value.real = sqlite3_column_double(statement, column);
            break;
        default: {
            value.kind = TSqlValue::Kind::Text;
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
            value.text.assign(bytes ? bytes : "", size_t(sqlite3_column_bytes(statement, column)));
        }
    }
    return value;
}

bool IsBlank(const char* text) {
    while (*text && static_cast<unsigned char>(*text) <= ' ') ++text;
    return *text == '\0';
}

}  // namespace

TDbDateTime SystemLocalTime() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto sinceEpoch = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,         local.tm_hour,
            local.tm_min,         local.tm_sec,     int(sinceEpoch % 1000)};
}

TSqliteDatabase::TSqliteDatabase(const std::string& path) {
    int status = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (status == SQLITE_OK) status = sqlite3_busy_timeout(db_, 5000);
    if (status == SQLITE_OK)
        status = sqlite3_create_function_v2(db_, "orvo_getdate", 0, SQLITE_UTF8, this, &GetDateFunction, nullptr,
                                            nullptr, nullptr);
    if (status == SQLITE_OK)
        status = sqlite3_create_function_v2(db_, "orvo_scope_identity", 0, SQLITE_UTF8, this, &ScopeIdentityFunction,
                                            nullptr, nullptr, nullptr);
    if (status == SQLITE_OK) status = RegisterSqlFunctions(db_);
    if (status != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(status);
        sqlite3_close(db_);
        throw EDatabaseError("Cannot open the database " + path + ": " + message);
    }
}

TSqliteDatabase::~TSqliteDatabase() { sqlite3_close(db_); }

void TSqliteDatabase::SetClock(TDbClock clock) {
    std::lock_guard lock(mutex_);
    clock_ = std::move(clock);
}

// SQL Server reads GETDATE() once per statement, so every row of a statement gets one time.
void TSqliteDatabase::GetDateFunction(sqlite3_context* context, int, sqlite3_value**) {
    const auto* self = static_cast<TSqliteDatabase*>(sqlite3_user_data(context));
    sqlite3_result_text(context, self->statementTime_.c_str(), int(self->statementTime_.size()), SQLITE_TRANSIENT);
}

void TSqliteDatabase::ScopeIdentityFunction(sqlite3_context* context, int, sqlite3_value**) {
    const auto* self = static_cast<TSqliteDatabase*>(sqlite3_user_data(context));
    if (self->scopeIdentity_) {
        sqlite3_result_int64(context, *self->scopeIdentity_);
    } else {
        sqlite3_result_null(context);
    }
}

TBatchResult TSqliteDatabase::Run(std::string_view tsql) {
    const std::vector<std::string> statements = sql::TranslateBatch(tsql);
    std::lock_guard lock(mutex_);
    scopeIdentity_.reset();  // the batch is SCOPE_IDENTITY's scope
    TBatchResult result;
    for (size_t i = 0; i < statements.size(); ++i) RunStatement(i + 1, statements[i], result);
    return result;
}

void TSqliteDatabase::RunStatement(size_t number, const std::string& sql, TBatchResult& result) {
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), int(sql.size()), &raw, &tail) != SQLITE_OK)
        Fail(number, sqlite3_errmsg(db_));
    const TStatementHandle statement(raw, &sqlite3_finalize);
    if (tail && !IsBlank(tail)) Fail(number, "the translation holds more than one statement");

    statementTime_ = FormatDbDateTime(clock_ ? clock_() : SystemLocalTime());
    // Cleared first, so an insert that happens to get the same row id as an earlier one of
    // another table still counts as this statement's insert.
    sqlite3_set_last_insert_rowid(db_, 0);
    const int64_t changesBefore = sqlite3_total_changes64(db_);
    const int columns = sqlite3_column_count(statement.get());
    TSqlResult rows;
    for (int c = 0; c < columns; ++c) rows.columns.emplace_back(sqlite3_column_name(statement.get(), c));
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        std::vector<TSqlValue>& row = rows.rows.emplace_back();
        for (int c = 0; c < columns; ++c) row.push_back(ReadValue(statement.get(), c));
    }
    if (step != SQLITE_DONE) Fail(number, sqlite3_errmsg(db_));

    result.changes += sqlite3_total_changes64(db_) - changesBefore;
    if (const sqlite3_int64 identity = sqlite3_last_insert_rowid(db_); identity != 0) scopeIdentity_ = identity;
    if (columns > 0) result.lastResult = std::move(rows);
}

void TSqliteDatabase::Fail(size_t number, std::string_view what) const {
    throw EDatabaseError("Statement " + std::to_string(number) + " of the batch failed: " + std::string(what));
}

void TSqliteDatabase::CreateSuiteTables() { Run(kSuiteTables); }

}  // namespace orvo::host
